# Sourced by the run and test scripts: a private, quiet 64-bit Wine prefix.
# Creates the prefix on first use; nothing here starts a long-lived wineserver.
: "${SFP_ROOT:?SFP_ROOT must name the project folder}"
export WINEPREFIX="${SFP_WINEPREFIX:-$SFP_ROOT/build/wineprefix}"
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
