#!/usr/bin/env bash
# The Startup link when the shortcut cannot be written (the folder is missing,
# something that is not a file holds the shortcut's name, or the program's
# path is longer than a shortcut holds): one error report, owned by the
# information window, which waits for it; nothing written anywhere else; the
# window usable again once the report is closed.
source "$(dirname "$0")/lib.sh"

startup=$(startup_folder)
[ -n "$startup" ] || fail "Wine has no Startup folder"
work="$BUILD_DIR/startup-unwritable"
rm -rf "$work" "$startup.away"
mkdir -p "$work/program" "$work/cwd"
cp "$BUILD_DIR/Sweeper.exe" "$work/program/"
SWEEPER_EXE="$work/program/Sweeper.exe"
restore() {
  if [ -e "$startup.away" ]; then rm -rf "$startup" && mv "$startup.away" "$startup"; fi
  rm -rf "$startup/Sweeper.lnk" "$work"
}
trap 'stop_started; restore' EXIT

error_reports() { driver find "#32770" "$APP_PID" | grep -c . || true; }
no_info_form() { ! driver find TInfoForm "$APP_PID" >/dev/null; }
error_reports_are() { [ "$(error_reports)" -eq "$1" ]; }

# click_startup_link CASE: one click, then exactly one error report, closed with OK.
click_startup_link() {
  open_tray_menu
  menu_key 0x41  # "A": About This Program...
  wait_until 10 driver find TInfoForm "$APP_PID" || fail "no information window ($1)"
  local form link report
  form=$(driver find TInfoForm "$APP_PID" | head -n1 | cut -d' ' -f1)
  link=$(driver children "$form" | grep '"Create Shortcut into "Startup""' | cut -d' ' -f1)
  click_label "$link"
  wait_until 10 error_reports_are 1 || fail "no error report ($1)"
  sleep 1
  error_reports_are 1 || fail "$(error_reports) error reports ($1)"
  driver find TInfoForm "$APP_PID" | awk '$6 == 0' | grep -q . || fail "the window behind the report is usable ($1)"
  report=$(driver find "#32770" "$APP_PID" | head -n1)
  echo "$report" | grep -q '"Sweeper"$' || fail "error report not titled Sweeper: $report ($1)"
  local hwnd text
  hwnd=$(echo "$report" | cut -d' ' -f1)
  text=$(driver children "$hwnd" | awk '$3 == "Static"' | sed 's/^[^"]*"//; s/"$//' | grep . | head -n1)
  [ -n "$text" ] && [ "${text: -1}" = "." ] || fail "error report text '$text' ($1)"
  log "$1: error report \"$text\" $(screenshot "error-$1")"
  driver post "$hwnd" 0x111 1 0 >/dev/null  # WM_COMMAND IDOK
  wait_until 5 error_reports_are 0 || fail "the error report did not close ($1)"
  # The window is still usable: a key closes it.
  driver key "$form" 0x1B >/dev/null
  wait_until 15 no_info_form || fail "window not usable ($1)"
}

cd "$work/cwd"
start_sweeper

mv "$startup" "$startup.away"
echo "not a folder" >"$startup"
click_startup_link missing-folder
rm -f "$startup"
mv "$startup.away" "$startup"

mkdir "$startup/Sweeper.lnk"
click_startup_link name-taken
rmdir "$startup/Sweeper.lnk"

driver post "$APP_HWND" 0x10 0 0 >/dev/null
wait_exit 10 "$SWEEPER_PID"
[ "$EXIT_CODE" -eq 0 ] || fail "ended with $EXIT_CODE"

# A program deeper than MAX_PATH (260): the link object cannot take its path.
deep=$(deep_folder "$work" 280)
cp "$BUILD_DIR/Sweeper.exe" "$deep/"
SWEEPER_EXE="$deep/Sweeper.exe"
start_sweeper
click_startup_link too-long
[ ! -e "$startup/Sweeper.lnk" ] || fail "a shortcut was written from the deep folder"

for place in "$work/program" "$work/cwd" "$deep" "/" "$WINEPREFIX/drive_c" "$(dirname "$startup")"; do
  if ls "$place"/*.lnk >/dev/null 2>&1; then fail "a shortcut was written into $place"; fi
done
driver post "$APP_HWND" 0x10 0 0 >/dev/null
wait_exit 10 "$SWEEPER_PID"
[ "$EXIT_CODE" -eq 0 ] || fail "ended with $EXIT_CODE"
log "passed"
