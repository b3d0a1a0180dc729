#!/usr/bin/env bash
# "Reboot This Program..." starts a new copy and ends this one: afterwards
# exactly one instance runs, with a new process id and one tray icon. When no
# copy can be started (the program file is gone, or its path is longer than
# MAX_PATH), this one keeps running with its icon and reports why.
source "$(dirname "$0")/lib.sh"

start_sweeper
started=$(date +%s%3N)
reboot_through_menu
log "new instance after $(( $(date +%s%3N) - started )) ms"
close_other_instance
log "restart passed"

work="$BUILD_DIR/reboot-fails"
rm -rf "$work"
at_exit 'rm -rf "$work"'

# reboot_fails CASE: Reboot with no copy to start; the program stays and
# reports it, and is fully usable once the report is closed.
reboot_fails() {
  local case=$1
  open_tray_menu
  menu_key 0x52  # "R": Reboot This Program...
  wait_error_report "$case"
  kill -0 "$SWEEPER_PID" 2>/dev/null || fail "the program ended ($case)"
  app_count_is 1 || fail "$(app_count) instances ($case)"
  [ "$(driver app | head -n1 | cut -d' ' -f2)" = "$APP_PID" ] || fail "another instance runs ($case)"
  [ "$(tray_icons)" -eq $((ICONS_BEFORE + 1)) ] || fail "$(tray_icons) tray icons ($case)"
  driver mutex >/dev/null || fail "the single-instance mutex is gone ($case)"
  echo "$REPORT_TEXT" | grep -q '^Cannot start ".*Sweeper.exe"' || fail "error report text '$REPORT_TEXT' ($case)"
  close_error_report "$case"
  # Still the single instance: a plain start ends at once.
  start_program "$BUILD_DIR/Sweeper.exe"
  wait_exit "$T_EXIT" "$LAST_PID"
  app_count_is 1 || fail "a second instance started ($case)"
  exit_through_menu "($case)"
}

# The program file moved away while the program runs.
start_copy "$work/moved"
mv "$work/moved/Sweeper.exe" "$work/moved/Sweeper.moved"
reboot_fails moved

# A folder deeper than MAX_PATH (260): Windows starts no program from there.
start_copy "$(deep_folder "$work" 280)"
reboot_fails too-long
log "passed"
