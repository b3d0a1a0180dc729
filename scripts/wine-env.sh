# Sourced: exports the Wine settings of one architecture's build folder and
# makes sure its prefix exists. BUILD_DIR defaults to <repo>/build/<arch> of
# the architecture this machine prefers; SWEEPER_ARCH defaults to the one the
# build folder was made for. Where this machine cannot run that architecture
# it says why and returns 77 (which ctest counts as skipped): a script that
# sources it ends with that (`source wine-env.sh || exit`), an interactive
# shell stays open.
_sweeper_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$_sweeper_root/scripts/arch.sh"
: "${BUILD_DIR:=$_sweeper_root/build/$(sweeper_preferred_arch)}"
# Wine takes only an absolute prefix, and the prefix lives in this folder.
case "$BUILD_DIR" in /*) ;; *) BUILD_DIR="$PWD/$BUILD_DIR" ;; esac
export BUILD_DIR
if [ -z "${SWEEPER_ARCH:-}" ]; then
  SWEEPER_ARCH=$(cat "$BUILD_DIR/arch" 2>/dev/null || sweeper_preferred_arch)
fi
export SWEEPER_ARCH
if _sweeper_reason=$(sweeper_arch_unrunnable "$SWEEPER_ARCH"); then
  echo "SKIPPED: the $SWEEPER_ARCH program cannot be run on this machine: $_sweeper_reason"
  return 77
fi

: "${WINEPREFIX:=$BUILD_DIR/wineprefix}"
export WINEPREFIX
export WINEDEBUG=-all
export WINEARCH=$(sweeper_wine_arch "$SWEEPER_ARCH")
export WINESERVER=$(sweeper_wine_server "$SWEEPER_ARCH")
# Keep Wine from offering (in a dialog nobody sees) to install Mono or Gecko.
export WINEDLLOVERRIDES="mscoree,mshtml="

# `wine` and `wineserver` in every script and test, and in the programs they
# start, are this architecture's own loader and server. Scripts that exec
# them, not links: the loader goes by the name it was started under (a
# "wine" link to wine64 runs every program through start.exe, in a process
# of its own).
# Written again whenever the way to call them changes (SWEEPER_WINE32=root).
_sweeper_wine_bin="$BUILD_DIR/wine-bin"
_sweeper_write_wine_bin() {  # NAME PROGRAM
  local file="$_sweeper_wine_bin/$1" text
  text=$(printf '#!/bin/sh\nexec %s "$@"' "$(sweeper_wine_command "$SWEEPER_ARCH" "$2")")
  if [ ! -x "$file" ] || [ "$(cat "$file")" != "$text" ]; then
    mkdir -p "$_sweeper_wine_bin"
    printf '%s\n' "$text" >"$file.$$" && chmod +x "$file.$$" && mv -f "$file.$$" "$file"
  fi
}
_sweeper_write_wine_bin wine "$(sweeper_wine_loader "$SWEEPER_ARCH")"
_sweeper_write_wine_bin wineserver "$WINESERVER"
case ":$PATH:" in *":$_sweeper_wine_bin:"*) ;; *) export PATH="$_sweeper_wine_bin:$PATH" ;; esac

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      wine wineboot -i >/dev/null 2>&1 || true
      # Without a window manager Wine must draw title bars itself, or screenshots
      # show windows without them.
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1 || true
      # Wine waits up to 2 s for a window manager to take every window it
      # hides, and there is none: the test programs' windows are left to Wine
      # alone (the program's own stay as a user's would be, for the
      # end-to-end tests).
      for test_program in unit_tests.exe stress_tests.exe; do
        wine reg add "HKCU\\Software\\Wine\\AppDefaults\\$test_program\\X11 Driver" /v Managed /d N /f >/dev/null 2>&1 || true
      done
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
