# Sourced: exports the Wine settings of one build folder and makes sure its
# prefix exists. BUILD_DIR defaults to <repo>/build.
_sweeper_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
: "${BUILD_DIR:=$_sweeper_root/build}"
export BUILD_DIR
: "${WINEPREFIX:=$BUILD_DIR/wineprefix}"
export WINEPREFIX
export WINEDEBUG=-all
export WINEARCH=win32
# Keep Wine from offering (in a dialog nobody sees) to install Mono or Gecko.
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      wineboot -i >/dev/null 2>&1 || true
      # Without a window manager Wine must draw title bars itself, or screenshots
      # show windows without them.
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1 || true
      wineserver -w
    fi
  ) 9>"$WINEPREFIX.lock"
fi

# A wineserver left running from another display would draw Wine's tray and
# balloons there: this prefix's server is started afresh, on this display,
# and kept running until `wineserver -k`.
start_fresh_wineserver() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  wineserver -p
}
