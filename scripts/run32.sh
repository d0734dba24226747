#!/usr/bin/env bash
# scripts/run32.sh COMMAND...: runs COMMAND where 32-bit Linux programs run (the
# 32-bit Wine loader, which starts every 32-bit Windows program): directly on a
# kernel that runs them, else under qemu-i386, registered with binfmt_misc for
# COMMAND alone, in a user namespace of its own (kernels from 6.7 on), so that no
# other program on the machine runs emulated.
# scripts/run32.sh --native: succeeds when the machine runs them without emulation.
set -euo pipefail

# qemu-i386 gives a program 4 GiB of address space. Wine (without its preloader, as
# Debian builds it) reserves everything above 2 GiB in 64 KiB probes with
# MAP_FIXED_NOREPLACE; this qemu takes the flag for a hint and answers each probe by
# searching the space from its top, page by page, through what Wine keeps of the
# earlier answers: minutes per program start. Without space above Wine's 2 GiB
# limit every answer lies below it and is given back, and a start takes seconds.
export QEMU_RESERVED_VA=0x7fff0000

native=0
/lib/ld-linux.so.2 --version >/dev/null 2>&1 && native=1
[ "${1:-}" = --native ] && exit $((1 - native))
[ "$native" -eq 1 ] && exec "$@"

qemu=/usr/bin/qemu-i386-static
if [ ! -x "$qemu" ]; then
  echo "run32.sh: this machine runs no 32-bit programs and has no $qemu" \
    "(scripts/deps.sh installs it)" >&2
  exit 1
fi
magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
# shellcheck disable=SC2016 # expanded by the inner shell
exec unshare --user --map-root-user --mount --propagation private bash -c '
  if ! mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc ||
     ! echo "$1" >/proc/sys/fs/binfmt_misc/register; then
    echo "run32.sh: could not register qemu-i386 in a user namespace" >&2
    exit 1
  fi
  shift
  exec "$@"' run32 ":qemu-i386:M::$magic:$mask:$qemu:F" "$@"
