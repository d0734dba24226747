#!/usr/bin/env bash
# scripts/bench.sh [RUNS]: builds the speed benchmarks and prints the figures,
# each measured in this run beside its baseline, with the machine they were
# taken on. RUNS (default 15) is the number of measured starts per program.
#   start-up to the Main panel shown, non-live and live, against the Main
#     panel's bare dialog template shown by a minimal program
#   one operator change end to end, against the same window work done by a
#     bare dialog, and the live instrument's own cost per call
#   discovery of 25 simulated resources
#   the longest time the main window leaves a message unanswered during a slow
#   Sync and during a change that times out, for the x86_64 and the i686 build
#   a whole setup recalled on an instrument that takes 40 ms per I/O, against
#     the I/O of its traffic times 40 ms
# Trees: build/bench-win64, build/bench-win32 and build/bench-native (optimised,
# without the sanitizers, so that they do not weigh on the figures); Wine
# prefixes build/bench-wineprefix and build/bench-wineprefix-i686.
# SFP_BENCH_JOBS sets the build's parallel jobs (2).
set -euo pipefail
export SFP_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
runs="${1:-15}"
export SFP_BUILD_JOBS="${SFP_BENCH_JOBS:-2}"
source "$SFP_ROOT/scripts/build.sh"
win="$SFP_ROOT/build/bench-win64"
win32="$SFP_ROOT/build/bench-win32"
native="$SFP_ROOT/build/bench-native"
sfp_build bench-win64 "${sfp_program_targets[@]}" main_panel_template launch_timer change_bench \
  discovery_bench responsiveness_bench recall_bench >/dev/null
sfp_build bench-win32 tgq3207_32 sfp_visa_sim_dll responsiveness_bench >/dev/null
sfp_build bench-native live_call_bench >/dev/null

export SFP_WINEPREFIX="${SFP_WINEPREFIX:-$SFP_ROOT/build/bench-wineprefix}"
source "$SFP_ROOT/scripts/wine-env.sh"
sfp_wine_prefix
bin="$win/bin"
export WINEPATH="$(sfp_winpath "$bin/visa-sim")"
# A crash ends the program instead of waiting in the debugger.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winedbg.exe=d"

cpu="$(grep -m1 'model name' /proc/cpuinfo | sed 's/.*: //')"
echo "Machine: $(nproc) CPUs, $cpu, $(wine --version 2>/dev/null)"
echo "Load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
echo
"$native/bin/live_call_bench" --header
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  bin=$1 runs=$2
  wineserver -p
  wine wineboot >/dev/null 2>&1
  cd "$bin"
  timeout 900 wine launch_timer.exe "$runs" "Main Panel Template" main_panel_template.exe \
    "start-up to Main panel, non-live (-a NOSUCH::INSTR)" "TG Q3207A" \
    "tgq3207sfp.exe -a NOSUCH::INSTR" \
    "start-up to Main panel, live (simulated mainframe)" "TG Q3207A" tgq3207sfp.exe
  timeout 600 wine change_bench.exe
  timeout 300 wine discovery_bench.exe
  timeout 300 wine responsiveness_bench.exe
  timeout 300 wine recall_bench.exe
  wineserver -k' bench "$bin" "$runs" 2>&1 | tr -d "\r"

# The 32-bit build: only how long the window is held. Where 32-bit Wine runs under
# emulation (scripts/run32.sh), start-up and change times would measure the emulator.
echo
emulation=", 32-bit Wine under qemu-i386"
bash "$SFP_ROOT/scripts/run32.sh" --native && emulation=""
echo "i686 build$emulation:"
SFP_ARCH=i686 sfp_windows_build
WINEPATH="$(sfp_winpath "$win32/bin/visa-sim")" "${sfp_runner[@]}" \
  xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    wineserver -p
    wine wineboot >/dev/null 2>&1
    cd "$1" && timeout 300 wine responsiveness_bench.exe
    wineserver -k' bench "$win32/bin" 2>&1 | tr -d "\r"
echo
echo "Load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
