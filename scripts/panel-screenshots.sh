#!/usr/bin/env bash
# scripts/panel-screenshots.sh [program options]: runs the program under Xvfb on
# the simulated mainframe, opens each panel from the Panels menu and saves a
# screenshot of the main window per panel in build/screenshots/ (SFP_ARCH=i686: the
# 32-bit build, in build/screenshots/i686/).
set -euo pipefail
export SFP_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$SFP_ROOT/scripts/deps.sh"
source "$SFP_ROOT/scripts/build.sh"
source "$SFP_ROOT/scripts/wine-env.sh"
sfp_windows_build
sfp_build "$sfp_tree" >/dev/null

bin="$SFP_ROOT/build/$sfp_tree/bin"
export WINEPATH="$(sfp_winpath "$bin/visa-sim")"
out="$SFP_ROOT/build/screenshots"
[ "$sfp_tree" = win32 ] && out+=/i686
mkdir -p "$out"
# Panels menu commands, in menu order.
panels="main:32777 status:32778 am:32781 bm:32782 fm:32783 sweep:32784 fsk:32785"
"${sfp_runner[@]}" xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  exe=$1 probe=$2 out=$3 panels=$4; shift 4
  wine "$exe" "$@" &
  wine "$probe" wait-window "TG Q3207A" 20000 >/dev/null
  for p in $panels; do
    wine "$probe" command "TG Q3207A" "${p#*:}"
    sleep 1
    rect=$(wine "$probe" window-rect "TG Q3207A")
    import -window root "$out/full.png"
    convert "$out/full.png" -crop "$rect" +repage "$out/${p%%:*}.png"
  done
  rm -f "$out/full.png"
  wine "$probe" close "TG Q3207A"
  wait
  wineserver -k' panel-screenshots "$bin/tgq3207sfp.exe" "$bin/sfpprobe.exe" "$out" "$panels" "$@"
echo "Screenshots: $out"
