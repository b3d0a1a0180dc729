#!/usr/bin/env bash
# The tray menu opens at the cursor on a right click, and only once however
# often the icon is clicked while it is open; "Exit", a WM_CLOSE to
# the application window or to the main window, and a quit message from
# another program (idle or with the information window open) all end the
# program cleanly with exit code 0.
source "$(dirname "$0")/lib.sh"

start_sweeper

# A real click on the icon, so the menu opens where a user would see it.
read -r x y w h < <(driver tray-rect "$SWEEPER_ICON")
xdotool mousemove $((x + w / 2)) $((y + h / 2))
open_tray_menu
read -r _ _ _ _ menu_rect _ < <(driver menu | head -n1)
IFS=, read -r menu_x menu_y _ _ <<<"$menu_rect"
[ "$menu_x" -eq $((x + w / 2)) ] && [ "$menu_y" -eq $((y + h / 2)) ] ||
  fail "menu at $menu_x,$menu_y, cursor at $((x + w / 2)),$((y + h / 2))"
# Right clicks that reach the icon while its menu is open open no menu over
# it. The menu handles them before the key that follows them.
tray=$(tray_window)
driver post "$tray" WM_TRAYNOTIFY 0 WM_RBUTTONDOWN 20 >/dev/null
menu_key 0x53  # "S": opens the Sweeeeep submenu
wait_until "$T_UI" menus_open_at_least 2 || fail "submenu did not open"
menus=$(driver menu | grep -c .)
[ "$menus" -eq 2 ] || fail "$menus menus open after 20 clicks on the icon of the open menu and its submenu key"
log "menu screenshot: $(screenshot tray-menu)"

# Escape twice closes both levels without running a command.
menu_key "$VK_ESCAPE"
menu_key "$VK_ESCAPE"
wait_until "$T_UI" no_menu_open || fail "menu did not close on Escape"
settle
kill -0 "$SWEEPER_PID" || fail "closing the menu ended the program"

# Left clicks change nothing visible: the right click queued after them
# opens one menu, and no window of the program shows beside it.
driver tray-click "$SWEEPER_ICON" left >/dev/null
driver tray-click "$SWEEPER_ICON" leftdouble >/dev/null
open_tray_menu
[ "$(driver menu | grep -c .)" -eq 1 ] || fail "$(driver menu | grep -c .) menus open after left clicks and a right click"
if driver windows "$APP_PID" | awk '$4 == 1 && $3 != "#32768"' | grep -q .; then fail "a left click showed a window"; fi

menu_key 0x45  # "E": Exit
expect_clean_end "Exit"
log "Exit ended the program with 0"

start_sweeper
close_program

start_sweeper
driver post "$(main_form)" WM_CLOSE 0 0 >/dev/null
expect_clean_end "WM_CLOSE to the main window"

start_sweeper
driver post "$(main_form)" WM_QUIT 0 0 >/dev/null
expect_clean_end "WM_QUIT"

# A close request or a quit with the menu and its submenu open: the menu
# closes, a choice made after the close was agreed runs nothing, and the
# program ends with 0.
start_sweeper
baseline_kb=$(resident_kb)
open_tray_menu
menu_key 0x53  # "S": the Sweeeeep submenu
wait_until "$T_UI" menus_open_at_least 2 || fail "submenu did not open"
driver post "$APP_HWND" WM_CLOSE 0 0 >/dev/null
# "1": 10%, if the menu is still there to take it.
driver key "$(driver menu | head -n1 | cut -d' ' -f1 || true)" 0x31 >/dev/null 2>&1 || true
wait_until "$T_UI" no_menu_open || fail "the menu stayed open after WM_CLOSE"
# A program already gone ran no sweep.
sweep_gain_kb=$(($(peak_resident_kb 2>/dev/null || echo "$baseline_kb") - baseline_kb))
[ "$sweep_gain_kb" -lt 32768 ] || fail "a sweep chosen after the close ran (+${sweep_gain_kb} KB)"
expect_clean_end "WM_CLOSE with the menu open"

start_sweeper
open_tray_menu
driver post "$APP_HWND" WM_QUIT 0 0 >/dev/null
wait_until "$T_UI" no_menu_open || fail "the menu stayed open after WM_QUIT"
expect_clean_end "WM_QUIT with the menu open"
log "a close or a quit with the menu open closes it and ends the program with 0"

start_sweeper
open_about
driver post "$APP_HWND" WM_QUIT 0 0 >/dev/null
expect_clean_end "WM_QUIT with the information window open"
log "passed"
