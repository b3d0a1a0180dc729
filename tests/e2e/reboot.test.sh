#!/usr/bin/env bash
# "Reboot This Program..." starts a new copy and ends this one: afterwards
# exactly one instance runs, with a new process id and one tray icon. When no
# copy can be started (the program file is gone, or its path is longer than
# MAX_PATH), this one keeps running with its icon and reports why.
source "$(dirname "$0")/lib.sh"
[ -n "${TRACE:-}" ] && set -x

app_count_is() { [ "$(driver app | grep -c .)" -eq "$1" ]; }
new_instance() { driver app | awk -v old="$1" '$2 != old' | grep -q .; }
error_reports() { driver find "#32770" "$APP_PID" | grep -c . || true; }
error_reports_are() { [ "$(error_reports)" -eq "$1" ]; }

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
log "restart passed"

work="$BUILD_DIR/reboot-fails"
rm -rf "$work"
trap 'stop_started; rm -rf "$work"' EXIT

# reboot_fails CASE: Reboot with no copy to start; the program stays and
# reports it, and is fully usable once the report is closed.
reboot_fails() {
  local case=$1 report hwnd text
  open_tray_menu
  menu_key 0x52  # "R": Reboot This Program...
  wait_until 15 error_reports_are 1 || fail "no error report ($case)"
  sleep 2
  kill -0 "$SWEEPER_PID" 2>/dev/null || fail "the program ended ($case)"
  app_count_is 1 || fail "$(driver app | grep -c .) instances ($case)"
  [ "$(driver app | head -n1 | cut -d' ' -f2)" = "$APP_PID" ] || fail "another instance runs ($case)"
  [ "$(tray_icons)" -eq $((ICONS_BEFORE + 1)) ] || fail "$(tray_icons) tray icons ($case)"
  driver mutex >/dev/null || fail "the single-instance mutex is gone ($case)"
  report=$(driver find "#32770" "$APP_PID" | head -n1)
  hwnd=$(echo "$report" | cut -d' ' -f1)
  text=$(driver children "$hwnd" | awk '$3 == "Static"' | sed 's/^[^"]*"//; s/"$//' | grep . | head -n1)
  echo "$text" | grep -q '^Cannot start ".*Sweeper.exe"' || fail "error report text '$text' ($case)"
  log "$case: \"$text\" $(screenshot "reboot-$case")"
  driver post "$hwnd" 0x111 1 0 >/dev/null  # WM_COMMAND IDOK
  wait_until 5 error_reports_are 0 || fail "the error report did not close ($case)"
  # Still the single instance: a plain start ends at once.
  start_program "$BUILD_DIR/Sweeper.exe"
  wait_exit 15 "$LAST_PID"
  app_count_is 1 || fail "a second instance started ($case)"
  open_tray_menu
  menu_key 0x45  # "E": Exit
  wait_exit 10 "$SWEEPER_PID"
  [ "$EXIT_CODE" -eq 0 ] || fail "ended with $EXIT_CODE ($case)"
}

# The program file moved away while the program runs.
mkdir -p "$work/moved"
cp "$BUILD_DIR/Sweeper.exe" "$work/moved/Sweeper.exe"
SWEEPER_EXE="$work/moved/Sweeper.exe"
start_sweeper
mv "$work/moved/Sweeper.exe" "$work/moved/Sweeper.moved"
reboot_fails moved

# A folder deeper than MAX_PATH (260): Windows starts no program from there.
deep=$(deep_folder "$work" 280)
cp "$BUILD_DIR/Sweeper.exe" "$deep/Sweeper.exe"
SWEEPER_EXE="$deep/Sweeper.exe"
start_sweeper
reboot_fails too-long
log "passed"
