#!/usr/bin/env bash
# check-exports.sh OBJDUMP DLL NAME...: the DLL exports every NAME, undecorated,
# and no decorated (@n) name at all; it imports no MinGW runtime DLL.
set -euo pipefail
objdump=$1 dll=$2
shift 2
table=$("$objdump" -p "$dll")
exports=$(printf '%s\n' "$table" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | sed -n 's/^.*\] //p')
status=0
for name in "$@"; do
  printf '%s\n' "$exports" | grep -qx "$name" || { echo "$dll: missing export $name"; status=1; }
done
if printf '%s\n' "$exports" | grep -q '@'; then
  echo "$dll: decorated exports:"; printf '%s\n' "$exports" | grep '@'; status=1
fi
bad=$(printf '%s\n' "$table" | sed -n 's/^\s*DLL Name: //p' | grep -iE 'libstdc|libgcc|libwinpthread|msvcp' || true)
[ -z "$bad" ] || { echo "$dll: imports runtime DLLs: $bad"; status=1; }
[ $status -eq 0 ] && echo "$dll: $# exports, undecorated"
exit $status
