# shellcheck shell=bash
# Sourced by the packaging scripts: each check prints one PASS or FAIL line,
# which ./run-tests counts. (Output is read to its end, never with grep -q,
# since an early close of a pipe is a failure under pipefail.)
checks_failed=0

pass() { echo "PASS: $*"; }
fail() { echo "FAIL: $*"; checks_failed=$((checks_failed + 1)); }

# check WHAT COMMAND...: PASS when the command succeeds; returns its success.
check() {
  local what=$1; shift
  if "$@"; then pass "$what"; else fail "$what"; return 1; fi
}

# fails COMMAND...: the command does not succeed.
fails() { ! "$@"; }

# has_format OBJDUMP FORMAT FILE: objdump reads FILE as FORMAT (pei-x86-64, pei-i386).
has_format() {
  "$1" -f "$3" 2>/dev/null | grep "file format $2\$" >/dev/null
}

# is_gui_program OBJDUMP FILE: a Windows GUI program, which opens no console window.
is_gui_program() {
  "$1" -p "$2" 2>/dev/null |
    grep -E '^Subsystem[[:space:]]+[0-9a-f]+[[:space:]]+\(Windows GUI\)$' >/dev/null
}
