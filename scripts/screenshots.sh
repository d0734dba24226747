# Sourced by ./run and scripts/panel-screenshots.sh, after sfp_windows_build has chosen
# the build (sfp_tree, sfp_runner) and its Wine prefix.

# sfp_screenshots OUT "NAME[:COMMAND] ..." [program options]: runs the program under
# Xvfb (with the VISA that WINEPATH finds) and, for each shot, sends the menu COMMAND (when
# one is given) to the main window, waits a second and saves the main window as
# OUT/NAME.png; then closes the program.
sfp_screenshots() {
  local out=$1 shots=$2 bin="$SFP_ROOT/build/$sfp_tree/bin"
  shift 2
  mkdir -p "$out"
  "${sfp_runner[@]}" xvfb-run -a -s "-screen 0 1920x1200x24" bash -c '
    exe=$1 probe=$2 out=$3 shots=$4; shift 4
    wine "$exe" "$@" &
    wine "$probe" wait-window "TG Q3207A" 20000 >/dev/null
    for shot in $shots; do
      case $shot in *:*) wine "$probe" command "TG Q3207A" "${shot#*:}" ;; esac
      sleep 1
      rect=$(wine "$probe" window-rect "TG Q3207A")
      import -window root "$out/full.png"
      convert "$out/full.png" -crop "$rect" +repage "$out/${shot%%:*}.png"
    done
    rm -f "$out/full.png"
    wine "$probe" close "TG Q3207A"
    wait
    wineserver -k' screenshots "$bin/tgq3207sfp.exe" "$bin/sfpprobe.exe" "$out" "$shots" "$@"
}
