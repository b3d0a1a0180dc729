#!/usr/bin/env bash
# A 10% sweep chosen through the real tray menu: the start balloon and the
# completion balloon are both drawn by Wine's tray and kept as screenshots,
# and the program answers its menu afterwards, from the mouse and from the
# keyboard.
#
# Wine draws a balloon only once its text has stayed unchanged for 2 s, and
# a 10% sweep may take less, so the start balloon would never be drawn. The
# test therefore freezes the program (SIGSTOP) as soon as its memory shows
# the worker filling, which is after the start balloon was asked for; Wine's
# tray, another process, then draws it. SIGCONT lets the sweep finish.
source "$(dirname "$0")/lib.sh"

start_sweeper
baseline=$(resident_kb)
choose_sweep 10%
freeze_in_sweep "$baseline"

wait_until "$T_UI" balloon_shows '^Sweep Setting: 10% \([0-9,]+\.00MB\)$' ||
  fail "no start balloon; tooltips: $(balloon_text)"
balloon_shows '^[0-9]{4}.[0-9]{2}.[0-9]{2} [0-9]{2}.[0-9]{2}.[0-9]{2}$' || fail "start balloon has no date line"
balloon_shows '^Total Phisical Memory: [0-9,]+\.00MB$' || fail "start balloon has no total line"
balloon_shows '^Free Phisical Memory: [0-9,]+\.00MB$' || fail "start balloon has no free line"
# The setting is a tenth of the total, each rounded to whole MB: never cut
# to 32 bits (the 64-bit program sees the machine's real memory).
megabytes() { driver tooltips | sed -nE "s/^$1.*[^0-9,]([0-9,]+)\.00MB\)?$/\1/p" | tr -d ,; }
total_mb=$(megabytes 'Total Phisical Memory')
setting_mb=$(megabytes 'Sweep Setting')
[ $((setting_mb * 10 - total_mb)) -le 10 ] && [ $((total_mb - setting_mb * 10)) -le 10 ] ||
  fail "10% is ${setting_mb}MB of ${total_mb}MB"
log "10% of ${total_mb}MB is ${setting_mb}MB"
log "start balloon screenshot: $(screenshot start-balloon)"

resume_program
wait_sweep_reported '^Sweep Complete$' "the 10% sweep"
if balloon_shows 'Sweep Setting'; then fail "the start balloon is still shown beside the completion"; fi
log "completion balloon screenshot: $(screenshot completion-balloon)"

# The balloon set the icon to version 3. Wine relays a right click to it as
# press, release and WM_CONTEXTMENU: still one menu, and none after it.
menu_answers "a right click at version 3"
settle
no_menu_open || fail "one right click at version 3 opened a second menu"
# The keyboard asks with WM_CONTEXTMENU alone (Shift+F10) or NIN_KEYSELECT
# (Enter). Wine's shell cannot say where the icon is (Shell_NotifyIconGetRect
# answers E_NOTIMPL), so the menu opens at the cursor, as before Windows 7.
read -r x y w h < <(driver tray-rect "$SWEEPER_ICON")
cursor_x=$((x + w + 200)) cursor_y=$((y + h + 200))
xdotool mousemove "$cursor_x" "$cursor_y"
tray=$(tray_window)
for request in WM_CONTEXTMENU NIN_KEYSELECT; do
  driver post "$tray" WM_TRAYNOTIFY 0 "$request" >/dev/null
  wait_until "$T_UI" driver menu || fail "request $request opened no menu"
  read -r _ _ _ _ menu_rect _ < <(driver menu | head -n1)
  IFS=, read -r menu_x menu_y _ _ <<<"$menu_rect"
  [ "$menu_x" -eq "$cursor_x" ] && [ "$menu_y" -eq "$cursor_y" ] ||
    fail "request $request: menu at $menu_x,$menu_y, cursor at $cursor_x,$cursor_y"
  menu_key "$VK_ESCAPE"
  wait_until "$T_UI" no_menu_open || fail "menu of request $request did not close on Escape"
done

# The program goes on: its menu opens again and Exit ends it cleanly.
exit_through_menu "after the sweep"
log "passed"
