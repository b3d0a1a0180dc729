#!/usr/bin/env bash
# Thirty restarts in a row: after each exactly one instance runs, with one
# tray icon and one application window carrying the property.
source "$(dirname "$0")/lib.sh"

app_count() { driver app | grep -c . || true; }
new_instance() { driver app | awk -v old="$1" '$2 != old' | grep -q .; }

start_sweeper
for round in $(seq 1 30); do
  old_pid=$APP_PID
  open_tray_menu
  menu_key 0x52  # "R": Reboot This Program...
  wait_until 15 new_instance "$old_pid" || fail "round $round: no new instance"
  sleep 2  # the old instance is gone by now, or it never will be
  [ "$(app_count)" -eq 1 ] || fail "round $round: $(app_count) instances"
  [ "$(tray_icons)" -eq $((ICONS_BEFORE + 1)) ] || fail "round $round: $(tray_icons) tray icons"
  app=$(driver app | head -n1)
  APP_HWND=$(echo "$app" | cut -d' ' -f1)
  APP_PID=$(echo "$app" | cut -d' ' -f2)
  [ "$(driver prop "$APP_HWND")" = "0x1111" ] || fail "round $round: no property"
  find_program_icon
done
log "30 restarts: one instance, one icon, one marked application window after each"

driver post "$APP_HWND" 0x10 0 0 >/dev/null
wait_until 10 no_application_window || {
  driver terminate "$APP_PID" >/dev/null
  fail "the last instance did not close"
}
log "passed"
