# Sourced by the run and test scripts: a private, quiet 64-bit Wine prefix.
# Creates the prefix on first use; nothing here starts a long-lived wineserver.
: "${SFP_ROOT:?SFP_ROOT must name the project folder}"
export WINEPREFIX="${SFP_WINEPREFIX:-$SFP_ROOT/build/wineprefix}"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

sfp_wine_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating Wine prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    # Let Wine draw captions and frames itself, so windows look the same with or
    # without a window manager.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    wineserver -w
  fi
}

# Unix path -> Wine path on drive Z:
sfp_winpath() { printf 'Z:%s' "$(realpath "$1" | sed 's#/#\\#g')"; }
