#!/usr/bin/env bash
# While a sweep runs the program does nothing else. Tray clicks and other
# programs' sent messages reach the program in the middle of the sweep (in
# its tray calls and in the pause between frames): a right click sent then
# opens no menu (nor can a second sweep be chosen from one), the sweep still
# ends with its completion balloon, exactly one sweep's memory is used, and
# afterwards the menu works. A close request sent in the middle of a sweep
# stops it, is answered once its memory is back, and ends the program
# cleanly.
source "$(dirname "$0")/lib.sh"

start_sweeper_heap_checked  # a use of the freed tray object crashes it
tray=$(tray_window)

freeze_in_long_sweep
send_queued "$ARTIFACTS/click" "$tray" WM_TRAYNOTIFY 0 WM_RBUTTONDOWN
resume_program

# The click is handled at the sweep's next tray call. A menu opened then
# would hold the sweep; choose a sweep from it as a user might.
menu_opened=""
if wait_until "$T_UI" driver menu; then
  menu_opened=1
  menu_key 0x53  # "S": the Sweeeeep submenu
  if wait_until "$T_UI" menus_open_at_least 2; then menu_key "$(sweep_setting 10% | cut -d" " -f1)"; fi
fi
wait_sweep_reported '^Sweep (Complete|Incomplete)' "a right click in the middle of a sweep"
peak_gain_kb=$(($(peak_resident_kb) - BASELINE_KB))
[ -z "$menu_opened" ] || fail "a right click in the middle of a sweep opened the menu"
wait_until "$T_UI" answered "$ARTIFACTS/click" || fail "the right click was never answered"
# One sweep of SWEEP_MB touches about that much; a second one on top would
# add at least a quarter more (10% beside 40%).
[ "$peak_gain_kb" -ge $((SWEEP_MB * 1024 / 2)) ] || fail "the sweep used only ${peak_gain_kb} KB of ${SWEEP_MB} MB"
[ "$peak_gain_kb" -lt $((SWEEP_MB * 1024 * 9 / 8)) ] || fail "memory peaked ${peak_gain_kb} KB over ${SWEEP_MB} MB: two sweeps"
log "right click in the middle of a ${SWEEP_MB} MB sweep: no menu, one sweep (peak +${peak_gain_kb} KB), completion balloon"

menu_answers "after the sweep"
log "the menu works after the sweep"

# A close request in the middle of a sweep stops it and ends the program:
# when the request is answered the sweep's memory is back (or the program
# has ended already, which leaves none).
freeze_in_long_sweep
send_queued "$ARTIFACTS/close" "$APP_HWND" WM_CLOSE 0 0
resume_program
wait_until "$(sweep_seconds "$SWEEP_MB")" answered "$ARTIFACTS/close" || fail "the close request was never answered"
resident_at_answer=$(resident_kb 2>/dev/null || echo 0)
[ "${resident_at_answer:-0}" -lt $((BASELINE_KB + SWEEP_MB * 1024 / 4)) ] ||
  fail "the close request was answered while the sweep held its memory (${resident_at_answer} KB)"
expect_clean_end "a close request in the middle of a sweep"
log "passed"
