#!/usr/bin/env bash
# The end of the logon session: every window of the program lets it end (a
# sweep first finishes), a session that goes on gets its icon back, and a
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

start_sweeper
ask_every_window "idle"
wait_until 5 tray_icons_equal "$ICONS_BEFORE" || fail "the icon stayed after the close query"
# Another program refused: the session goes on, and so does the icon.
for wnd in $(windows_of_program); do driver send "$wnd" $WM_ENDSESSION 0 0 >/dev/null || true; done
wait_until 5 tray_icons_equal $((ICONS_BEFORE + 1)) || fail "no icon after the session went on"
find_program_icon
open_tray_menu
menu_key "$VK_ESCAPE"
log "close query answered by every window; icon back after a refused end"

# Asked during a sweep, the answer comes once the sweep is done.
choose_long_sweep
sleep 0.3
started=$(date +%s%3N)
ask_every_window "during a sweep"
log "answered during a sweep after $(( $(date +%s%3N) - started )) ms"
driver send "$APP_HWND" $WM_ENDSESSION 1 0 >/dev/null || true
wait_exit 5 "$SWEEPER_PID"
[ "$EXIT_CODE" -eq 0 ] || fail "the end of the session ended the program with $EXIT_CODE"
log "passed"
