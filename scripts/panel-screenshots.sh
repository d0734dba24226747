#!/usr/bin/env bash
# scripts/panel-screenshots.sh [program options]: runs the program under Xvfb on the
# simulated mainframe, opens each panel from the Panels menu and saves a screenshot
# of the main window per panel, at each display scale of SFP_DPIS (default
# "96 120 144 192", each in a Wine prefix of its own), in build/screenshots/dpiN/
# (SFP_ARCH=i686: the 32-bit build, in build/screenshots/i686/dpiN/).
set -euo pipefail
export SFP_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$SFP_ROOT/scripts/deps.sh"
source "$SFP_ROOT/scripts/build.sh"
source "$SFP_ROOT/scripts/wine-env.sh"
source "$SFP_ROOT/scripts/screenshots.sh"
sfp_windows_build
sfp_build "$sfp_tree" "${sfp_program_targets[@]}" >/dev/null

export WINEPATH="$(sfp_winpath "$SFP_ROOT/build/$sfp_tree/bin/visa-sim")"
out="$SFP_ROOT/build/screenshots"
[ "$sfp_tree" = win32 ] && out+=/i686
# name:command of each Panels menu command, as the program's resources number them.
panels=$(sed -nE 's/^#define ID_PANELS_([A-Z]+) ([0-9]+)$/\1:\2/p' "$SFP_ROOT/res/resource.h" |
  tr 'A-Z\n' 'a-z ')
build_prefix=$WINEPREFIX
for dpi in ${SFP_DPIS:-96 120 144 192}; do
  export WINEPREFIX=$build_prefix
  sfp_dpi_prefix "$dpi"
  sfp_screenshots "$out/dpi$dpi" "$panels" "$@"
done
echo "Screenshots: $out"
