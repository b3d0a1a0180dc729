#!/usr/bin/env bash
# Starts the program under Wine. With a display it simply runs there; without
# one it starts a virtual display, shows what the program does through its
# real tray icon, saves screenshots under out/ and ends by itself.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
: "${BUILD_DIR:=$root/build}"
export BUILD_DIR

if [ -n "${DISPLAY:-}" ] && [ -z "${SWEEPER_IN_DISPLAY:-}" ]; then
  source "$root/scripts/wine-env.sh"
  echo "Sweeper runs in the notification area; right-click its icon for the menu."
  exec wine "$BUILD_DIR/Sweeper.exe"
fi

if [ -z "${SWEEPER_IN_DISPLAY:-}" ]; then
  export SWEEPER_IN_DISPLAY=1
  exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" bash "$0"
fi
bash "$root/scripts/demo.sh"
