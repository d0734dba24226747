#!/usr/bin/env bash
# check-imports.sh OBJDUMP FILE: the program or DLL imports only DLLs that every
# Windows PC has (plus VISA32.DLL, which the VISA install provides), so it runs
# on a bare PC without the MinGW runtime beside it.
# check-imports.sh OBJDUMP FILE DLL...: moreover it imports only the DLLs named; it
# loads the others when it first needs them, as each DLL imported costs the start.
set -euo pipefail
objdump=$1 file=$2
shift 2
imports=$("$objdump" -p "$file" | sed -n 's/^\s*DLL Name: //p')
if [ $# -gt 0 ]; then
  named="^($(IFS='|'; echo "$*"))\.dll$"
  extra=$(printf '%s\n' "$imports" | grep -viE "$named" || true)
  if [ -n "$extra" ]; then
    echo "$file: imports DLLs it should load only when needed:"; printf '  %s\n' $extra; exit 1
  fi
fi
system='^(kernel32|user32|gdi32|comctl32|comdlg32|advapi32|shell32|ole32|oleaut32|msvcrt|winmm|version|ws2_32|bcrypt|ntdll|api-ms-win-.*|visa32)\.dll$'
bad=$(printf '%s\n' "$imports" | grep -viE "$system" || true)
if [ -n "$bad" ]; then
  echo "$file: imports non-system DLLs:"; printf '  %s\n' $bad; exit 1
fi
echo "$file: imports only system DLLs: $(printf '%s ' $imports)"
