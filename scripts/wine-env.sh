# Sourced by the run and test scripts: private, quiet Wine prefixes, one per build
# (the x86_64 one current). Creates a prefix on first use; nothing here starts a
# long-lived wineserver.
: "${SFP_ROOT:?SFP_ROOT must name the project folder}"
sfp_wine_prefix_x86_64="${SFP_WINEPREFIX:-$SFP_ROOT/build/wineprefix}"
export WINEPREFIX="$sfp_wine_prefix_x86_64"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# Debian's `wine` launcher starts every program with the 32-bit loader once wine32 is
# installed; that loader hands 64-bit programs on to the 64-bit one, at the cost of a
# 32-bit start first (minutes on a machine that runs 32-bit code only under emulation).
# Here `wine` (and `wine-stable`, which wineboot calls) start the 64-bit loader, which
# hands 32-bit programs on to the 32-bit one in turn.
if [ -x /usr/lib/wine/wine64 ]; then
  export WINELOADER=/usr/lib/wine/wine64
  sfp_wine_bin="$SFP_ROOT/build/wine-bin"
  mkdir -p "$sfp_wine_bin"
  for launcher in wine wine-stable; do
    printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$sfp_wine_bin/$launcher"
    chmod +x "$sfp_wine_bin/$launcher"
  done
  case ":$PATH:" in *":$sfp_wine_bin:"*) ;; *) export PATH="$sfp_wine_bin:$PATH" ;; esac
fi

# sfp_wine_prefix [ARCH]: makes the Wine prefix of the build for ARCH (x86_64, the
# default, or i686) the current one, creating it on first use. Each build has its own:
# the x86_64 prefix needs no 32-bit Wine (slow to start where 32-bit code runs only
# under emulation), and neither build's installs and settings reach the other's tests.
sfp_wine_prefix() {
  local arch=${1:-x86_64} run=()
  export WINEPREFIX="$sfp_wine_prefix_x86_64"
  if [ "$arch" = i686 ]; then
    WINEPREFIX+=-i686
    run=(bash "$SFP_ROOT/scripts/run32.sh")
    # A prefix made while 32-bit Wine could not run (before wine32 was installed, or
    # where 32-bit code does not run) has no 32-bit system folder, and no 32-bit
    # program starts in it ("could not load kernel32.dll").
    if [ -f "$WINEPREFIX/system.reg" ] &&
       [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
      echo "Wine prefix $WINEPREFIX has no 32-bit system folder: making it anew"
      wineserver -k 2>/dev/null || true
      rm -rf "$WINEPREFIX"
    fi
  fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating Wine prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    "${run[@]}" bash -c 'wineboot -i >/dev/null 2>&1; wineserver -w'
  fi
  # Wine draws captions and frames itself, so windows look the same with or without
  # a window manager; left to a window manager that Xvfb does not have, every closed
  # message box costs about 2 s, which the window tests take for a hang. Checked on
  # every use: a prefix that Wine made on its own, or whose making was cut short,
  # lacks the setting.
  if ! grep -qs '^"Managed"="N"' "$WINEPREFIX/user.reg"; then
    "${run[@]}" bash -c '
      wine reg add "HKCU\Software\Wine\X11 Driver" /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
      wineserver -w'
  fi
}

# sfp_windows_build: the Windows build that SFP_ARCH names (x86_64, the default, or
# i686): its tree in sfp_tree, and in sfp_runner the command that runs Wine for it
# (32-bit Wine through run32.sh); its Wine prefix becomes the current one.
sfp_windows_build() {
  case "${SFP_ARCH:-x86_64}" in
    x86_64) sfp_tree=win64 sfp_runner=() ;;
    i686) sfp_tree=win32 sfp_runner=(bash "$SFP_ROOT/scripts/run32.sh") ;;
    *) echo "SFP_ARCH must be x86_64 or i686, not $SFP_ARCH" >&2; return 1 ;;
  esac
  sfp_wine_prefix "${SFP_ARCH:-x86_64}"
}

# Unix path -> Wine path on drive Z:
sfp_winpath() { printf 'Z:%s' "$(realpath "$1" | sed 's#/#\\#g')"; }

# sfp_dpi_prefix DPI: makes a prefix of the current build's whose display scale is
# DPI (96 = 100 %, 120, 144, 192 = 200 %) the current one: the build's own prefix
# with "-dpiDPI" appended, copied from it on first use. A whole copy (some 1.3 GB, a few
# seconds): Wine writes in place into files of a prefix (the name of its server's
# folder, the update stamp), which hard links would share with the build's prefix. Wine gives every window this
# scale, so a DPI-aware program is seen as it would be on such a screen.
sfp_dpi_prefix() {
  local dpi=$1 base=$WINEPREFIX run=()
  case "$base" in *-i686) run=(bash "$SFP_ROOT/scripts/run32.sh") ;; esac
  export WINEPREFIX="$base-dpi$dpi"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    rm -rf "$WINEPREFIX"
    cp -a "$base" "$WINEPREFIX"
  fi
  if ! grep -qs "^\"LogPixels\"=dword:$(printf '%08x' "$dpi")" "$WINEPREFIX/user.reg"; then
    "${run[@]}" bash -c '
      for key in "HKCU\Control Panel\Desktop" "HKCU\Software\Wine\Fonts"; do
        wine reg add "$key" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
      done
      wineserver -w' dpi "$dpi"
  fi
}
