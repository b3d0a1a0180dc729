#!/usr/bin/env bash
# A short demonstration through the real tray icon on the current (virtual)
# display: the menu, a 10% sweep with both balloons, the information window.
# Screenshots go to out/.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export ARTIFACTS="$root/out"
export SWEEPER_SOURCE_DIR="$root"
source "$root/tests/e2e/lib.sh"
TEST_NAME=demo

wineserver -p 2>/dev/null || true
start_trayhold
start_sweeper

# The pointer on the icon, as a user's would be.
read -r x y w h < <(driver tray-rect "$SWEEPER_ICON")
xdotool mousemove $((x + w / 2)) $((y + h / 2))
open_tray_menu
menu_key 0x53  # "S": Sweeeeep
wait_until 5 menus_open_at_least 2 || fail "submenu did not open"
shots=("$(screenshot tray-menu)")
menu_key 0x31  # "1": 10%

# Wine draws a balloon once its text has stood for ~2 s; the completion
# balloon stays, so it is caught after the sweep.
wait_until 30 balloon_shows '^Sweep ' || fail "no completion balloon"
sleep 0.5
shots+=("$(screenshot sweep-balloon)")

open_tray_menu
menu_key 0x41  # "A": About This Program...
wait_until 10 driver find TInfoForm || fail "no information window"
sleep 0.5
shots+=("$(screenshot information-window)")

open_tray_menu
menu_key 0x45  # "E": Exit
wait_exit 10 "$SWEEPER_PID"
echo "Screenshots:"
printf '  %s\n' "${shots[@]}"
