#!/usr/bin/env bash
# While a sweep runs the program does nothing else. Wine hands tray clicks
# and other programs' sent messages to the program while it waits in its
# tray calls, in the middle of the sweep: a right click sent then opens no
# menu (nor can a second sweep be chosen from one), the sweep still ends with
# its completion balloon, exactly one sweep's memory is used, and afterwards
# the menu works. A close request sent in the middle of a sweep waits for it
# to end, then ends the program cleanly.
source "$(dirname "$0")/lib.sh"
WM_CLOSE=0x10
WM_TRAYNOTIFY=0x7658
WM_RBUTTONDOWN=0x204

# Wine's heap checking poisons freed blocks: a use of the freed tray object
# then crashes instead of passing silently.
export WINEDEBUG=warn+heap
start_sweeper
export WINEDEBUG=-all
tray_window=$(driver find TSweeperHiddenWindow "$APP_PID" | head -n1 | cut -d' ' -f1)
[ -n "$tray_window" ] || fail "no tray callback window"

baseline=$(resident_kb)
choose_long_sweep
freeze_in_sweep "$baseline"
size_mb=$(start_balloon_mb)
[ -n "$size_mb" ] || fail "no sweep size in the start balloon"
send_queued "$ARTIFACTS/click" "$tray_window" $WM_TRAYNOTIFY 0 $WM_RBUTTONDOWN
resume_program

# The click is handled at the sweep's next tray call. A menu opened then
# would hold the sweep; choose a sweep from it as a user might.
menu_opened=""
if wait_until 5 driver menu; then
  menu_opened=1
  menu_key 0x53  # "S": the Sweeeeep submenu
  wait_until 5 menus_open_at_least 2 && menu_key 0x31  # "1": 10%
fi
wait_until 30 balloon_shows '^Sweep (Complete|Incomplete)' || fail "no completion balloon after the sweep"
peak_gain_kb=$(($(peak_resident_kb) - baseline))
[ -z "$menu_opened" ] || fail "a right click in the middle of a sweep opened the menu"
wait_until 10 answered "$ARTIFACTS/click" || fail "the right click was never answered"
# One sweep of size_mb touches about that much; a second one on top would
# add at least a quarter more (10% beside 40%).
[ "$peak_gain_kb" -ge $((size_mb * 1024 / 2)) ] || fail "the sweep used only ${peak_gain_kb} KB of ${size_mb} MB"
[ "$peak_gain_kb" -lt $((size_mb * 1024 * 9 / 8)) ] || fail "memory peaked ${peak_gain_kb} KB over ${size_mb} MB: two sweeps"
log "right click in the middle of a ${size_mb} MB sweep: no menu, one sweep (peak +${peak_gain_kb} KB), completion balloon"

open_tray_menu
menu_key "$VK_ESCAPE"
wait_until 5 no_menu_open || fail "menu did not close"
log "the menu works after the sweep"

# A close request in the middle of a sweep ends the program after the sweep:
# when the request is answered the sweep's memory is back (or the program
# has ended already, which leaves none).
choose_long_sweep
freeze_in_sweep "$baseline"
send_queued "$ARTIFACTS/close" "$APP_HWND" $WM_CLOSE 0 0
resume_program
wait_until 60 answered "$ARTIFACTS/close" || fail "the close request was never answered"
resident_at_answer=$(resident_kb 2>/dev/null || echo 0)
[ "${resident_at_answer:-0}" -lt $((baseline + size_mb * 1024 / 4)) ] ||
  fail "the close request was answered while the sweep held its memory (${resident_at_answer} KB)"
wait_exit 30 "$SWEEPER_PID"
[ "$EXIT_CODE" -eq 0 ] || fail "a close request in the middle of a sweep ended the program with $EXIT_CODE"
wait_until 5 tray_icons_equal "$ICONS_BEFORE" || fail "the close left the tray icon behind"
if driver mutex; then fail "the close left the single-instance mutex behind"; fi
log "passed"
