#!/usr/bin/env bash
# "Reboot This Program..." starts a new copy and ends this one: afterwards
# exactly one instance runs, with a new process id and one tray icon.
source "$(dirname "$0")/lib.sh"

app_count_is() { [ "$(driver app | grep -c .)" -eq "$1" ]; }
new_instance() { driver app | awk -v old="$1" '$2 != old' | grep -q .; }

start_sweeper
old_pid=$APP_PID
started=$(date +%s%3N)
open_tray_menu
menu_key 0x52  # "R": Reboot This Program...
wait_exit 10 "$SWEEPER_PID"
[ "$EXIT_CODE" -eq 0 ] || fail "the old instance ended with $EXIT_CODE"
wait_until 10 new_instance "$old_pid" || fail "no new instance after the restart"
log "new instance after $(( $(date +%s%3N) - started )) ms"
sleep 2
app_count_is 1 || fail "$(driver app | grep -c .) instances after the restart"
[ "$(tray_icons)" -eq $((ICONS_BEFORE + 1)) ] || fail "$(tray_icons) tray icons after the restart"
new_app=$(driver app | head -n1)
new_pid=$(echo "$new_app" | cut -d' ' -f2)
[ "$new_pid" != "$old_pid" ] || fail "the process id did not change"
[ "$(driver prop "$(echo "$new_app" | cut -d' ' -f1)")" = "0x1111" ] || fail "the new instance has no property"

# The new copy was started by the program, not by this test: end it too.
driver post "$(echo "$new_app" | cut -d' ' -f1)" 0x10 0 0 >/dev/null
wait_until 10 app_count_is 0 || { driver terminate "$new_pid" >/dev/null; fail "the new instance did not close"; }
log "passed"
