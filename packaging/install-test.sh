#!/usr/bin/env bash
# packaging/install-test.sh ARCH SETUP STAGE PROBE: installs the installer SETUP of
# the ARCH build (x86_64 or i686) silently into that build's Wine prefix of
# wine-env.sh (32-bit Wine through run32.sh for i686), checks that the staged
# files STAGE landed with their Start-menu entries, starts the installed
# program through the simulator's entry (live on the simulated mainframe), its
# launcher with an option (passed on), and directly (non-live: the simulator is
# not found, not even from the current directory), installs again without the
# simulator, then uninstalls. PROBE is sfpprobe.exe of either build (windows are
# the same to both). One PASS or FAIL line per
# check; exit status 0 when all passed.
set -uo pipefail
export SFP_ROOT="${SFP_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
arch=$1
source "$SFP_ROOT/scripts/wine-env.sh"
SFP_ARCH=$arch sfp_windows_build || exit 1
# On an X display of its own, like the other Wine tests, whether or not there is a desktop.
if [ -z "${SFP_INSTALL_TEST_XVFB:-}" ]; then
  SFP_INSTALL_TEST_XVFB=1 exec "${sfp_runner[@]}" xvfb-run -a -s "-screen 0 1024x768x24" \
    bash "${BASH_SOURCE[0]}" "$@"
fi
setup=$2 stage=$3 probe=$4
source "$SFP_ROOT/packaging/checks.sh"
unset WINEPATH  # only the simulator's entry may put the simulator on PATH

product="TG Q3207 SFP"
program_files="Program Files" menu_folder="$product" reg_view=/reg:64
if [ "$arch" = i686 ]; then
  program_files="Program Files (x86)" menu_folder="$product (32-bit)" reg_view=/reg:32
fi
instdir_win="C:\\$program_files\\$product"
instdir="$WINEPREFIX/drive_c/$program_files/$product"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/$menu_folder"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\TGQ3207SFP'
resource="GPIB-VXI0::24::INSTR"
no_visa="Could not find the VISA dll.  Creating non-live SFP."
work=$(mktemp -d)
trap 'wineserver -k 2>/dev/null; rm -rf "$work"' EXIT

wineserver -p
wine wineboot >/dev/null 2>&1
# A clean start: nothing left from an earlier run can pass for this install.
rm -rf "$instdir" "$menu"
wine reg delete "$uninstall_key" /f "$reg_view" >/dev/null 2>&1

probe() { timeout 60 wine "$probe" "$@"; }

# eventually SECONDS COMMAND...: the command succeeds within that time.
eventually() {
  local tries=$(($1 * 5))
  shift
  while [ "$tries" -gt 0 ]; do
    "$@" && return 0
    sleep 0.2
    tries=$((tries - 1))
  done
  return 1
}
has_line() { grep -E "$2" "$1" >/dev/null 2>&1; }
absent() { [ ! -e "$1" ]; }

# box_reads TEXT: the program's message box shows TEXT as its message.
box_reads() { probe text "$product" | tr -d '\r' | grep -Fx "$1" >/dev/null; }
window_up() { probe wait-window "$1" 30000 >/dev/null; }
no_box() { ! wine "$probe" text "$product" >/dev/null 2>&1; }
registered() { wine reg query "$uninstall_key" "$reg_view" >/dev/null 2>&1; }

echo "--- installing $(basename "$setup") under Wine"
check "installer /S finishes with status 0" timeout 120 wine "$setup" /S
check "installed files are the staged ones" diff -r -x uninstall.exe "$stage" "$instdir"
check "uninstaller installed" test -f "$instdir/uninstall.exe"
for entry in "$product" "$product (simulated instrument)" README "Uninstall $product"; do
  check "Start-menu entry \"$entry\"" test -f "$menu/$entry.lnk"
done
check "uninstall entry in the registry" registered

echo "--- the simulator's Start-menu entry: live on the simulated mainframe"
live="$work/live.txt"
TGQ_SIM_TRAFFIC="$(sfp_winpath "$work")\\live.txt" \
  timeout 60 wine start /unix "$menu/$product (simulated instrument).lnk"
check "main window comes up" window_up "TG Q3207A"
check "the driver queries the simulated instrument" \
  eventually 20 has_line "$live" "^read $resource [+-][0-9]"
check "no message box at start-up" no_box
check "program closes" probe close "TG Q3207A" 20000
check "the driver session closes at exit" eventually 20 has_line "$live" "^close $resource\$"

echo "--- the simulator's launcher passes its options on"
# With one instrument on the mainframe only -n brings up the choice.
timeout 60 wine "$instdir_win\\simulator\\tgq3207sfp-sim.exe" -n
check "-n shows the Select Instrument dialog" window_up "Select Instrument"
probe close "Select Instrument" 10000
check "program closes" probe close "TG Q3207A" 20000

echo "--- the program started directly, in the simulator folder: non-live"
direct="$work/direct.txt"
(cd "$instdir/simulator" &&
  TGQ_SIM_TRAFFIC="$(sfp_winpath "$work")\\direct.txt" \
    timeout 90 wine "$instdir_win\\tgq3207sfp.exe" >/dev/null 2>&1) &
program=$!
check "a message box comes up" window_up "$product"
check "it reads \"$no_visa\"" box_reads "$no_visa"
probe close "$product" 10000
check "main window comes up" window_up "TG Q3207A"
check "program closes" probe close "TG Q3207A" 20000
wait "$program"
check "the simulated VISA was never loaded" absent "$direct"

echo "--- installing again without the simulator"
check "installer /S /NOSIMULATOR finishes with status 0" timeout 120 wine "$setup" /S /NOSIMULATOR
check "the simulator folder is gone" absent "$instdir/simulator"
check "the simulator's Start-menu entry is gone" \
  absent "$menu/$product (simulated instrument).lnk"
check "the program's files stay" diff -r -x uninstall.exe -x simulator "$stage" "$instdir"
check "the program's Start-menu entry stays" test -f "$menu/$product.lnk"

echo "--- uninstalling"
# The uninstaller runs from a copy of itself and returns at once.
timeout 60 wine "$instdir_win\\uninstall.exe" /S
check "uninstall removes the installation folder" eventually 30 absent "$instdir"
check "uninstall removes the Start-menu folder" eventually 30 absent "$menu"
check "uninstall removes the registry entry" fails registered
[ "$checks_failed" -eq 0 ]
