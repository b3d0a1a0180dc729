#!/usr/bin/env bash
# The tray menu opens at the cursor on a right click; "Exit", a WM_CLOSE to
# the application window or to the main window, and a quit message from
# another program (idle or with the information window open) all end the
# program cleanly with exit code 0.
source "$(dirname "$0")/lib.sh"

expect_clean_end() {
  wait_exit 10 "$SWEEPER_PID"
  [ "$EXIT_CODE" -eq 0 ] || fail "$1 ended the program with $EXIT_CODE"
  wait_until 5 tray_icons_equal "$ICONS_BEFORE" || fail "$1 left the tray icon behind"
  wait_until 5 no_application_window || fail "$1 left the instance property behind"
  if driver mutex; then fail "$1 left the single-instance mutex behind"; fi
}

start_sweeper

# A real click on the icon, so the menu opens where a user would see it.
read -r x y w h < <(driver tray-rect "$SWEEPER_ICON")
xdotool mousemove $((x + w / 2)) $((y + h / 2))
open_tray_menu
read -r _ _ _ _ menu_rect _ < <(driver menu | head -n1)
IFS=, read -r menu_x menu_y _ _ <<<"$menu_rect"
[ "$menu_x" -eq $((x + w / 2)) ] && [ "$menu_y" -eq $((y + h / 2)) ] ||
  fail "menu at $menu_x,$menu_y, cursor at $((x + w / 2)),$((y + h / 2))"
menu_key 0x53  # "S": opens the Sweeeeep submenu
wait_until 5 menus_open_at_least 2 || fail "submenu did not open"
log "menu screenshot: $(screenshot tray-menu)"

# Escape twice closes both levels without running a command.
menu_key "$VK_ESCAPE"
menu_key "$VK_ESCAPE"
wait_until 5 no_menu_open || fail "menu did not close on Escape"
sleep 0.5
kill -0 "$SWEEPER_PID" || fail "closing the menu ended the program"

# Left clicks change nothing visible.
driver tray-click "$SWEEPER_ICON" left >/dev/null
driver tray-click "$SWEEPER_ICON" leftdouble >/dev/null
sleep 0.5
if driver menu >/dev/null; then fail "a left click opened the menu"; fi
if driver windows "$APP_PID" | awk '$4 == 1' | grep -q .; then fail "a left click showed a window"; fi

open_tray_menu
menu_key 0x45  # "E": Exit
expect_clean_end "Exit"
log "Exit ended the program with 0"

start_sweeper
driver post "$APP_HWND" 0x10 0 0 >/dev/null  # WM_CLOSE
expect_clean_end "WM_CLOSE"

main_form() { driver find TDummyMainForm "$APP_PID" | head -n1 | cut -d' ' -f1; }
start_sweeper
driver post "$(main_form)" 0x10 0 0 >/dev/null  # WM_CLOSE
expect_clean_end "WM_CLOSE to the main window"

start_sweeper
driver post "$(main_form)" 0x12 0 0 >/dev/null  # WM_QUIT
expect_clean_end "WM_QUIT"

start_sweeper
open_tray_menu
menu_key 0x41  # "A": About This Program...
wait_until 10 driver find TInfoForm "$APP_PID" || fail "About opened no information window"
driver post "$APP_HWND" 0x12 0 0 >/dev/null  # WM_QUIT
expect_clean_end "WM_QUIT with the information window open"
log "passed"
