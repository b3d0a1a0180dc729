#!/usr/bin/env bash
# A short demonstration through the real tray icon on the current (virtual)
# display: the menu, a 10% sweep with both balloons, the information window.
# Screenshots go to out/.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export ARTIFACTS="$root/out"
export SWEEPER_SOURCE_DIR="$root"
source "$root/tests/e2e/lib.sh"
TEST_NAME=demo

start_fresh_wineserver

# shot NAME X Y WIDTH HEIGHT: a screenshot of that part of the screen.
shot() {
  local file
  file=$(screenshot "$1")
  convert "$file" -crop "$4x$5+$2+$3" +repage "$file" 2>/dev/null || true
  echo "$file"
}
start_trayhold
start_sweeper

# The pointer on the icon, as a user's would be.
read -r x y w h < <(driver tray-rect "$SWEEPER_ICON")
xdotool mousemove $((x + w / 2)) $((y + h / 2))
open_tray_menu
menu_key 0x53  # "S": Sweeeeep
wait_until 5 menus_open_at_least 2 || fail "submenu did not open"
shots=("$(shot tray-menu 0 0 360 250)")
menu_key "$(sweep_setting 10% | cut -d" " -f1)"

# Wine draws a balloon once its text has stood for ~2 s; the completion
# balloon stays, so it is caught after the sweep.
wait_until 30 sweep_reported || fail "no completion balloon"
sleep 0.5
shots+=("$(shot sweep-balloon 0 0 300 190)")

open_tray_menu
menu_key 0x41  # "A": About This Program...
wait_until 10 driver find TInfoForm || fail "no information window"
sleep 0.5
read -r _ _ _ _ rect _ < <(driver find TInfoForm | head -n1)
IFS=, read -r left top width height <<<"$rect"
shots+=("$(shot information-window $((left - 8)) $((top - 8)) $((width + 16)) $((height + 16)))")
driver key "$(driver find TInfoForm | head -n1 | cut -d' ' -f1)" 0x1B >/dev/null

open_tray_menu
menu_key 0x45  # "E": Exit
wait_exit 10 "$SWEEPER_PID"
stop_started
wineserver -k 2>/dev/null || true
echo "Screenshots:"
printf '  %s\n' "${shots[@]}"
