#!/usr/bin/env bash
# A program in a folder and under a name that Wine's ANSI code page 1252
# cannot spell ("Ελληνικά\Σάρωση.exe" reads "????????\S???s?.exe"): what acts
# on the program's file reaches the real file. The version line shows the
# version, the Startup shortcut points at the program and works in its
# folder, "Open Folder This Program in" opens that folder, and Reboot starts
# a new copy. Texts shown stay ANSI.
source "$(dirname "$0")/lib.sh"
export LC_ALL=C.UTF-8  # Wine takes its ANSI code page from the locale: 1252

app_count_is() { [ "$(driver app | grep -c .)" -eq "$1" ]; }
new_instance() { driver app | awk -v old="$1" '$2 != old' | grep -q .; }
folder_windows() { driver find ExplorerWClass; }
# click LABEL: a press and a release on an information window's label.
click() {
  driver post "$1" 0x201 1 0 >/dev/null  # WM_LBUTTONDOWN
  driver post "$1" 0x202 0 0 >/dev/null  # WM_LBUTTONUP
}

startup=$(startup_folder)
[ -n "$startup" ] || fail "Wine has no Startup folder"
work="$BUILD_DIR/unspellable"
folder="$work/Ελληνικά"
rm -rf "$work" "$startup/Σάρωση.lnk"
cleanup() {
  local pid
  for pid in $(folder_windows 2>/dev/null | cut -d' ' -f2); do driver terminate "$pid" >/dev/null || true; done
  rm -rf "$work" "$startup/Σάρωση.lnk"
}
trap 'stop_started; cleanup' EXIT
mkdir -p "$folder"
cp "$BUILD_DIR/Sweeper.exe" "$folder/Σάρωση.exe"
SWEEPER_EXE="$folder/Σάρωση.exe"
exe_windows=$(wine winepath -w "$SWEEPER_EXE" 2>/dev/null)
start_sweeper
[ "$(driver app | head -n1 | sed 's/^[^"]*"//; s/"$//')" = "S???s?" ] || fail "title: $(driver app)"

open_tray_menu
menu_key 0x41  # "A": About This Program...
wait_until 10 driver find TInfoForm "$APP_PID" || fail "no information window"
form=$(driver find TInfoForm "$APP_PID" | head -n1 | cut -d' ' -f1)
labels=$(driver children "$form")
echo "$labels" | grep -qF '"Ver.0.5.5.6"' || fail "version line: $(echo "$labels" | grep -F '"Ver.')"
label() { echo "$labels" | grep -F "\"$1\"" | cut -d' ' -f1; }

click "$(label 'Create Shortcut into "Startup"')"
wait_until 10 test -f "$startup/Σάρωση.lnk" || fail "no Σάρωση.lnk in the Startup folder: $(ls "$startup")"
shortcut=$(driver shortcut "$(wine winepath -w "$startup/Σάρωση.lnk" 2>/dev/null)") || fail "cannot read the shortcut back"
# The shell starts a shortcut through its item; Wine keeps beside it an ANSI
# copy of the path (the "target" line), which is all question marks here.
echo "$shortcut" | grep -qxF "item=$exe_windows" || fail "shortcut item: $shortcut"
echo "$shortcut" | grep -qxF "directory=${exe_windows%\\*}" || fail "shortcut directory: $shortcut"
echo "$shortcut" | grep -qx "arguments=/starup" || fail "shortcut arguments: $shortcut"
log "Startup shortcut: $(echo "$shortcut" | tr '\n' ' ')"

click "$(label 'Open Folder This Program in')"
wait_until 15 folder_windows || fail "the program's folder did not open"
# The folder window's title is its name, read here through the ANSI code page.
folder_windows | grep -qF '"????????"' || fail "another folder opened: $(folder_windows)"
log "folder window: $(folder_windows | head -n1)"
for pid in $(folder_windows | cut -d' ' -f2); do driver terminate "$pid" >/dev/null; done

driver key "$form" 0x1B >/dev/null
wait_until 10 eval '! driver find TInfoForm "$APP_PID"' || fail "the information window did not close"

old_pid=$APP_PID
open_tray_menu
menu_key 0x52  # "R": Reboot This Program...
wait_exit 10 "$SWEEPER_PID"
[ "$EXIT_CODE" -eq 0 ] || fail "the old instance ended with $EXIT_CODE"
wait_until 15 new_instance "$old_pid" || fail "no new instance after the restart"
new_app=$(driver app | head -n1)
driver post "$(echo "$new_app" | cut -d' ' -f1)" 0x10 0 0 >/dev/null
wait_until 10 app_count_is 0 || { driver terminate "$(echo "$new_app" | cut -d' ' -f2)" >/dev/null; fail "the new instance did not close"; }
log "passed"
