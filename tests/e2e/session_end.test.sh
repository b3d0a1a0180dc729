#!/usr/bin/env bash
# The end of the logon session: every window of the program lets it end; a
# session that goes on gets the icon back, also when no end of the session
# follows the query at all (any program can send the query alone); a query
# sent in the middle of a sweep is answered once the sweep has ended; and a
# session that ends ends the program with exit code 0.
source "$(dirname "$0")/lib.sh"
WM_QUERYENDSESSION=0x11
WM_ENDSESSION=0x16

windows_of_program() { driver windows "$APP_PID" | cut -d' ' -f1; }

ask_every_window() {
  local wnd answer
  for wnd in $(windows_of_program); do
    answer=$(driver send "$wnd" $WM_QUERYENDSESSION 0 0) || fail "no answer from $wnd ($1)"
    [ "$answer" = "1" ] || fail "window $wnd refused the end of the session ($1)"
  done
}

expect_icon_back() {
  wait_until "$1" tray_icons_equal $((ICONS_BEFORE + 1)) || fail "no icon after $2"
  find_program_icon
  open_tray_menu
  menu_key "$VK_ESCAPE"
  wait_until 5 no_menu_open || fail "menu did not close after $2"
}

# Wine's heap checking poisons freed blocks: a use of a freed object then
# crashes instead of passing silently.
export WINEDEBUG=warn+heap
start_sweeper
export WINEDEBUG=-all
ask_every_window "idle"
wait_until 5 tray_icons_equal "$ICONS_BEFORE" || fail "the icon stayed after the close query"
# Another program refused: the session goes on, and so does the icon.
for wnd in $(windows_of_program); do driver send "$wnd" $WM_ENDSESSION 0 0 >/dev/null || true; done
expect_icon_back 5 "the session went on"
log "close query answered by every window; icon back after a refused end"

# A query alone, with no end of the session after it.
[ "$(driver send "$APP_HWND" $WM_QUERYENDSESSION 0 0)" = "1" ] || fail "a lone query was refused"
wait_until 5 tray_icons_equal "$ICONS_BEFORE" || fail "the icon stayed after a lone query"
expect_icon_back 60 "a lone query"
log "icon back after a query that no end of the session followed"

# Asked in the middle of a sweep, the answer waits for the sweep's end.
baseline=$(resident_kb)
choose_long_sweep
freeze_in_sweep "$baseline"
size_mb=$(start_balloon_mb)
[ -n "$size_mb" ] || fail "no sweep size in the start balloon"
send_queued "$ARTIFACTS/query" "$APP_HWND" $WM_QUERYENDSESSION 0 0
resume_program
wait_until 60 answered "$ARTIFACTS/query" || fail "the query in the middle of a sweep was never answered"
resident_at_answer=$(resident_kb)
[ "$(answer_in "$ARTIFACTS/query")" = "1" ] || fail "the query in the middle of a sweep was refused"
peak_gain_kb=$(($(peak_resident_kb) - baseline))
[ "$resident_at_answer" -lt $((baseline + size_mb * 1024 / 4)) ] ||
  fail "answered while the sweep held its memory (${resident_at_answer} KB, ${baseline} KB before)"
[ "$peak_gain_kb" -ge $((size_mb * 1024 / 2)) ] || fail "the sweep was cut short: ${peak_gain_kb} KB of ${size_mb} MB"
wait_until 5 tray_icons_equal "$ICONS_BEFORE" || fail "the icon stayed after the query in the middle of a sweep"
ask_every_window "after the sweep"
log "query in the middle of a ${size_mb} MB sweep answered after it (peak +${peak_gain_kb} KB, ${resident_at_answer} KB at the answer)"

driver send "$APP_HWND" $WM_ENDSESSION 1 0 >/dev/null || true
wait_exit 10 "$SWEEPER_PID"
[ "$EXIT_CODE" -eq 0 ] || fail "the end of the session ended the program with $EXIT_CODE"
if driver mutex; then fail "the end of the session left the single-instance mutex behind"; fi
log "passed"
