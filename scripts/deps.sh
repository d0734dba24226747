#!/usr/bin/env bash
# Installs what the build, the program and the tests need, by Debian package name,
# when it is missing: the MinGW-w64 toolchains, Wine for both builds (wine64 and,
# with the i386 architecture added, wine32:i386), Xvfb, the packaging tools and the
# independent SCPI clients that check the network simulator, and the locale data
# from which the tests make a locale with a decimal comma.
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

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
