#!/usr/bin/env bash
# scripts/package.sh WIN64_BUILD WIN32_BUILD [OUT_DIR]: the release packages,
# made from two built trees (x86_64 and i686): for each an NSIS installer and a
# zip of the same files, in OUT_DIR (default build/release). Checks what it made
# (one PASS or FAIL line each) and, for x86_64, installs, runs and uninstalls
# the installer under Wine (packaging/install-test.sh). Exit status 0 when every
# check passed.
set -uo pipefail
export SFP_ROOT="${SFP_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
[ $# -ge 2 ] || { echo "usage: $0 WIN64_BUILD WIN32_BUILD [OUT_DIR]" >&2; exit 2; }
win64=$(realpath "$1") win32=$(realpath "$2")
out=$(realpath -m "${3:-$SFP_ROOT/build/release}")
source "$SFP_ROOT/packaging/checks.sh"

version=$(sed -n 's/.*"VERSION: \([^"]*\)".*/\1/p' "$SFP_ROOT/res/about.rc")
[ -n "$version" ] || { fail "version read from res/about.rc"; exit 1; }

# The installation's layout, relative to its folder; the installer adds uninstall.exe.
binaries=(tgq3207sfp.exe tgq3207_32.dll simulator/VISA32.DLL simulator/tgq3207sfp-sim.exe)
documents=(README.md LICENSE.txt)
screenshots=("$SFP_ROOT"/docs/screenshots/*.png)

# stage BUILD STAGE TRIPLET: the installation's files, stripped of debug information.
stage() {
  local bin=$1/bin dir=$2 triplet=$3
  rm -rf "$dir" && mkdir -p "$dir/simulator" "$dir/docs/screenshots" || return 1
  cp "$bin/tgq3207sfp.exe" "$bin/tgq3207_32.dll" "$dir/" &&
    cp "$bin/visa-sim/VISA32.DLL" "$dir/simulator/" &&
    "$triplet-g++-posix" -std=c++17 -O2 -Wall -Wextra -Werror -municode -mwindows -static \
      -o "$dir/simulator/tgq3207sfp-sim.exe" "$SFP_ROOT/packaging/sim_launcher.cpp" &&
    "$triplet-strip" --strip-debug "${binaries[@]/#/$dir/}" &&
    cp "$SFP_ROOT/README.md" "$dir/README.md" &&
    cp "$SFP_ROOT/LICENSE" "$dir/LICENSE.txt" &&
    cp "${screenshots[@]}" "$dir/docs/screenshots/"
}

# expected_files DIR: every file the layout should hold, sorted.
expected_files() {
  local name
  for name in "${binaries[@]}" "${documents[@]}" "${screenshots[@]#$SFP_ROOT/}"; do
    echo "$1/$name"
  done | sort
}

# check_zip ZIP ROOT STAGE: the zip lists exactly the layout under ROOT/ and
# unpacks to files identical to the staged ones (CMake reads the zip, so no
# unzip is needed).
check_zip() {
  local zip=$1 root=$2 dir=$3 listed unpacked
  listed=$(cmake -E tar tf "$zip" | grep -v '/$' | sort)
  check "$(basename "$zip") lists exactly the installation's files" \
    test "$listed" = "$(expected_files "$root")"
  unpacked=$(mktemp -d)
  (cd "$unpacked" && cmake -E tar xf "$zip")
  check "$(basename "$zip") unpacks to the staged files" diff -r "$dir" "$unpacked/$root"
  rm -rf "$unpacked"
}

# package ARCH BUILD TRIPLET FORMAT
package() {
  local arch=$1 build=$2 triplet=$3 format=$4
  local root="tgq3207sfp-$version-$arch"
  local dir="$out/stage-$arch/$root" zip="$out/$root.zip" setup="$out/$root-setup.exe"
  echo "--- $arch from $build"
  check "$arch: staged from $build" stage "$build" "$dir" "$triplet" || return
  local file
  for file in "${binaries[@]}"; do
    check "$arch: $file is $format" has_format "$triplet-objdump" "$format" "$dir/$file"
  done
  for file in tgq3207sfp.exe simulator/tgq3207sfp-sim.exe; do
    check "$arch: $file opens no console window" is_gui_program "$triplet-objdump" "$dir/$file"
  done
  check "$arch: the launcher imports only system DLLs" \
    bash "$SFP_ROOT/scripts/check-imports.sh" "$triplet-objdump" "$dir/simulator/tgq3207sfp-sim.exe"

  rm -f "$zip" "$setup"
  (cd "$dir/.." && zip -qrX "$zip" "$root")
  check_zip "$zip" "$root" "$dir"

  check "$arch: makensis builds $(basename "$setup")" \
    makensis -V2 -DARCH="$arch" -DSTAGE="$dir" -DVERSION="$version" -DOUTFILE="$setup" \
    "$SFP_ROOT/packaging/tgq3207sfp.nsi"
  check "$arch: the installer is a $format program" has_format "$triplet-objdump" "$format" "$setup"
  # Its checks print their own lines; its status also covers any it could not reach.
  # The x86_64 probe serves both: it starts in a moment where 32-bit Wine is emulated.
  bash "$SFP_ROOT/packaging/install-test.sh" "$arch" "$setup" "$dir" "$win64/bin/sfpprobe.exe" ||
    checks_failed=$((checks_failed + 1))
}

mkdir -p "$out"
package x86_64 "$win64" x86_64-w64-mingw32 pei-x86-64
package i686 "$win32" i686-w64-mingw32 pei-i386
echo "Packages in $out:"
ls -l "$out"/*.zip "$out"/*-setup.exe 2>/dev/null
[ "$checks_failed" -eq 0 ]
