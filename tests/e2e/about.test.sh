#!/usr/bin/env bash
# "About This Program..." opens the information window modally; its texts,
# keys, nesting, its Startup link, and "Exit" while it is open.
source "$(dirname "$0")/lib.sh"

info_forms() { driver find TInfoForm "$APP_PID"; }
info_form_count() { info_forms | grep -c . || true; }
info_form_count_is() { [ "$(info_form_count)" -eq "$1" ]; }

open_about() {
  local before
  before=$(info_form_count)
  open_tray_menu
  menu_key 0x41  # "A": About This Program...
  wait_until 10 info_form_count_is $((before + 1)) || fail "About did not open an information window"
  INFO_FORM=$(info_forms | awk '$4 == 1 && $6 == 1' | head -n1 | cut -d' ' -f1)
  [ -n "$INFO_FORM" ] || fail "no visible, enabled information window"
}

label_texts() { driver children "$INFO_FORM" | awk '$3 == "TSweeperLabel" && $4 == 1' | sed 's/^[^"]*"//; s/"$//'; }
press_key() { driver key "$INFO_FORM" "$1" >/dev/null; }

start_sweeper
started=$(date +%s%3N)
open_about
log "About opened in $(( $(date +%s%3N) - started )) ms"
[ "$(driver text "$INFO_FORM")" = "Sweeper - InfoForm" ] || fail "title is '$(driver text "$INFO_FORM")'"
texts=$(label_texts)
echo "$texts" | grep -qx "Sweeper.exe" || fail "no exe name label"
echo "$texts" | grep -qx "Ver.0.5.5.6" || fail "no version label"
echo "$texts" | grep -Eqx 'free physical memory:[0-9,]+\.00KB/[0-9,]+\.00KB' || fail "no memory line"
echo "$texts" | grep -Eq '^Windows|\(Build [0-9]+\)' || fail "no Windows version line"
if echo "$texts" | grep -q "^Microsoft "; then fail "version line keeps its Microsoft"; fi
if echo "$texts" | grep -q 'into "Desktop"'; then fail "the Desktop link is visible"; fi
log "window: $(screenshot info-window)"

# A second About over the first: the first is disabled until the second closes.
open_about
second=$INFO_FORM
[ "$(info_forms | awk '$6 == 0' | grep -c .)" -eq 1 ] || fail "the first window is not disabled under the second"
press_key 0x10  # Shift closes it like any other key
wait_until 15 info_form_count_is 1 || fail "a key did not close the second window"
INFO_FORM=$(info_forms | head -n1 | cut -d' ' -f1)
[ "$INFO_FORM" != "$second" ] || fail "the wrong window closed"
first_enabled() { info_forms | awk '$6 == 1' | grep -q .; }
wait_until 15 first_enabled ||
  fail "the first window stayed disabled"
press_key 0x41
wait_until 15 info_form_count_is 0 || fail "a key did not close the window"
log "keys close the windows, nesting restores the first"

# The Startup link writes the shortcut there, pointing back at the program.
startup=$(startup_folder)
[ -n "$startup" ] || fail "Wine has no Startup folder"
rm -f "$startup/Sweeper.lnk"
open_about
link=$(driver children "$INFO_FORM" | grep '"Create Shortcut into "Startup""' | cut -d' ' -f1)
click_label "$link"
wait_until 10 test -f "$startup/Sweeper.lnk" || fail "no Sweeper.lnk in the Startup folder"
shortcut=$(driver shortcut "$(wine winepath -w "$startup/Sweeper.lnk" 2>/dev/null)")
exe_windows=$(wine winepath -w "$SWEEPER_EXE" 2>/dev/null)
echo "$shortcut" | grep -qxF "target=$exe_windows" || fail "shortcut target: $shortcut"
echo "$shortcut" | grep -qx "arguments=/starup" || fail "shortcut arguments: $shortcut"
echo "$shortcut" | grep -qxF "directory=${exe_windows%\\*}" || fail "shortcut directory: $shortcut"
rm -f "$startup/Sweeper.lnk"
log "Startup shortcut written: $(echo "$shortcut" | tr '\n' ' ')"

# "Exit" while the window is open ends the program.
exit_through_menu "with the window open"
log "passed"
