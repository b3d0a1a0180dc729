#!/usr/bin/env bash
# The Startup link when the shortcut cannot be written (a file stands where
# the folder should be, something that is not a file holds the shortcut's
# name, or the program's path is longer than a shortcut holds): one error
# report, owned by the information window, which waits for it; nothing
# written anywhere else; the window usable again once the report is closed.
source "$(dirname "$0")/lib.sh"

# startup_folder puts back a Startup folder that a killed run left moved away.
startup=$(startup_folder)
[ -n "$startup" ] || fail "Wine has no Startup folder"
work="$BUILD_DIR/startup-unwritable"
restore() {
  startup_folder >/dev/null
  rm -rf "$startup/Sweeper.lnk" "$work"
}
restore
at_exit restore
mkdir -p "$work/cwd"

# click_startup_link CASE: one click, then exactly one error report, closed with OK.
click_startup_link() {
  open_about
  click_label "$(info_label 'Create Shortcut into "Startup"')"
  wait_error_report "$1"
  error_reports_are 1 || fail "$(error_reports) error reports ($1)"
  info_forms | awk '$6 == 0' | grep -q . || fail "the window behind the report is usable ($1)"
  echo "$REPORT" | grep -q '"Sweeper"$' || fail "error report not titled Sweeper: $REPORT ($1)"
  [ -n "$REPORT_TEXT" ] && [ "${REPORT_TEXT: -1}" = "." ] || fail "error report text '$REPORT_TEXT' ($1)"
  close_error_report "$1"
  # The window is still usable: a key closes it.
  close_about
}

cd "$work/cwd"
start_copy "$work/program"

mv "$startup" "$startup$STARTUP_AWAY"
echo "not a folder" >"$startup"
click_startup_link file-for-folder
startup_folder >/dev/null

mkdir "$startup/Sweeper.lnk"
click_startup_link name-taken
rmdir "$startup/Sweeper.lnk"
close_program

# A program deeper than MAX_PATH (260): the link object cannot take its path.
deep=$(deep_folder "$work" 280)
start_copy "$deep"
click_startup_link too-long
[ ! -e "$startup/Sweeper.lnk" ] || fail "a shortcut was written from the deep folder"

for place in "$work/program" "$work/cwd" "$deep" "/" "$WINEPREFIX/drive_c" "$(dirname "$startup")"; do
  if ls "$place"/*.lnk >/dev/null 2>&1; then fail "a shortcut was written into $place"; fi
done
close_program
log "passed"
