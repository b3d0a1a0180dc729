#!/usr/bin/env bash
# The end of the logon session: every window of the program lets it end; a
# session that goes on gets the icon back, also when no end of the session
# follows the query at all (any program can send the query alone); a query
# sent in the middle of a sweep stops it and is answered within a few
# seconds, with the memory given back and the icon restored; and a
# session that ends ends the program with exit code 0.
source "$(dirname "$0")/lib.sh"

windows_of_program() { driver windows "$APP_PID" | cut -d' ' -f1; }

ask_every_window() {
  local wnd answer
  for wnd in $(windows_of_program); do
    answer=$(driver send "$wnd" WM_QUERYENDSESSION 0 0) || fail "no answer from $wnd ($1)"
    [ "$answer" = "1" ] || fail "window $wnd refused the end of the session ($1)"
  done
}

expect_icon_back() {
  wait_until "$1" tray_icons_equal $((ICONS_BEFORE + 1)) || fail "no icon after $2"
  find_program_icon
  menu_answers "after $2"
}

start_sweeper_heap_checked
ask_every_window "idle"
wait_until "$T_UI" tray_icons_equal "$ICONS_BEFORE" || fail "the icon stayed after the close query"
# Another program refused: the session goes on, and so does the icon.
for wnd in $(windows_of_program); do driver send "$wnd" WM_ENDSESSION 0 0 >/dev/null || true; done
expect_icon_back "$T_UI" "the session went on"
log "close query answered by every window; icon back after a refused end"

# A query alone, with no end of the session after it.
[ "$(driver send "$APP_HWND" WM_QUERYENDSESSION 0 0)" = "1" ] || fail "a lone query was refused"
wait_until "$T_UI" tray_icons_equal "$ICONS_BEFORE" || fail "the icon stayed after a lone query"
# The program waits 10 s for an end of the session that may never come.
expect_icon_back $((10 + T_UI)) "a lone query"
log "icon back after a query that no end of the session followed"

# Asked in the middle of a sweep, the sweep stops: Windows tells the user a
# program is holding the logoff after about 5 s.
T_ANSWER=$(scaled 3)
freeze_in_long_sweep
send_queued "$ARTIFACTS/query" "$APP_HWND" WM_QUERYENDSESSION 0 0
resume_program
resumed_ns=$(date +%s%N)
wait_until "$T_ANSWER" answered "$ARTIFACTS/query" ||
  fail "the query in the middle of a ${SWEEP_MB} MB sweep was not answered within ${T_ANSWER} s"
answer_ms=$((($(date +%s%N) - resumed_ns) / 1000000))
resident_at_answer=$(resident_kb)
[ "$(answer_in "$ARTIFACTS/query")" = "1" ] || fail "the query in the middle of a sweep was refused"
peak_gain_kb=$(($(peak_resident_kb) - BASELINE_KB))
[ "$resident_at_answer" -lt $((BASELINE_KB + SWEEP_MB * 1024 / 4)) ] ||
  fail "answered while the sweep held its memory (${resident_at_answer} KB, ${BASELINE_KB} KB before)"
[ "$peak_gain_kb" -lt $((SWEEP_MB * 1024 / 2)) ] || fail "the sweep ran on after the query: ${peak_gain_kb} KB of ${SWEEP_MB} MB"
wait_until "$T_UI" tray_icons_equal "$ICONS_BEFORE" || fail "the icon stayed after the query in the middle of a sweep"
# The session goes on: the icon comes back and its menu answers.
driver send "$APP_HWND" WM_ENDSESSION 0 0 >/dev/null
expect_icon_back "$T_UI" "a query in the middle of a sweep"
ask_every_window "after the sweep"
log "query in the middle of a ${SWEEP_MB} MB sweep answered ${answer_ms} ms after it was handled (peak +${peak_gain_kb} KB, ${resident_at_answer} KB at the answer)"

# The program may end before it answers.
driver send "$APP_HWND" WM_ENDSESSION 1 0 >/dev/null || true
expect_clean_end "the end of the session"
log "passed"
