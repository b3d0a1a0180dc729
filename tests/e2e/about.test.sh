#!/usr/bin/env bash
# "About This Program..." opens the information window modally; its texts,
# keys, nesting, its Startup link, and "Exit" while it is open.
source "$(dirname "$0")/lib.sh"

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
first=$INFO_FORM
open_about
[ "$(info_forms | awk '$6 == 0' | grep -c .)" -eq 1 ] || fail "the first window is not disabled under the second"
# Alt+F4 typed on the keyboard closes the second window, and only it: an F4
# left over would close the window activated next (here Wine's tray, and
# every icon with it).
alt_f4() { xdotool keydown alt sleep 0.1 key F4 sleep 0.1 keyup alt; }
alt_f4
wait_until "$T_UI" info_form_count_is 1 || fail "Alt+F4 did not close the second window"
[ "$(info_forms | cut -d' ' -f1)" = "$first" ] || fail "the wrong window closed"
first_enabled() { [ "$(info_form)" = "$first" ]; }
wait_until "$T_UI" first_enabled || fail "the first window stayed disabled"
# The first window has the keyboard again: the next Alt+F4 closes it.
alt_f4
wait_until "$T_UI" no_info_form || fail "the first window did not get the keyboard back"
driver tray-list | grep -qx "$SWEEPER_ICON" || fail "Alt+F4 took Wine's tray or the program's icon with it"
open_about
press_key 0x10  # Shift, pressed and released, closes it like any other key
wait_until "$T_UI" no_info_form || fail "Shift did not close the window"
log "keys close the windows, nesting restores the first"

# The Startup link writes the shortcut there, pointing back at the program,
# and makes the folder again when the user has deleted it.
startup=$(startup_folder)
[ -n "$startup" ] || fail "Wine has no Startup folder"
rm -f "$startup/Sweeper.lnk"
mv "$startup" "$startup$STARTUP_AWAY"  # startup_folder puts it back
open_about
expect_startup_shortcut "$startup/Sweeper.lnk"
startup_folder >/dev/null
log "Startup shortcut written: $(echo "$SHORTCUT" | tr '\n' ' ')"

# "Exit" while the window is open ends the program.
exit_through_menu "with the window open"
log "passed"
