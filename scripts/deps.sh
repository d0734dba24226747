#!/usr/bin/env bash
# Installs what the build, the program and the tests need, by Debian package name,
# when it is missing: the MinGW-w64 toolchains, Wine for both builds (wine64 and,
# with the i386 architecture added, wine32:i386, and qemu-i386 where the kernel runs
# no 32-bit code), Xvfb, the packaging tools, the independent SCPI clients that check
# the network simulator, and the locale data from which the tests make a locale with
# a decimal comma.
set -euo pipefail

packages=(mingw-w64 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
          wine wine64 wine32:i386 xvfb xauth imagemagick cmake ninja-build googletest
          g++ clang libclang-rt-dev nsis zip python3-pyvisa-py lxi-tools locales)

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive

# wine32 is an i386 package: the architecture must be known to dpkg first.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "Adding the i386 architecture (for wine32)"
  "${sudo_cmd[@]}" dpkg --add-architecture i386
fi

updated=
# install_missing PACKAGE...: installs those of the packages that are missing.
install_missing() {
  local p missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return
  echo "Installing: ${missing[*]}"
  [ -n "$updated" ] || "${sudo_cmd[@]}" apt-get update -q
  updated=1
  "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}

install_missing "${packages[@]}"
# A kernel without 32-bit support runs the 32-bit Wine loader only under qemu-i386.
bash "$(dirname "${BASH_SOURCE[0]}")/run32.sh" --native || install_missing qemu-user-static
