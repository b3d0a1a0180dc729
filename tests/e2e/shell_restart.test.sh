#!/usr/bin/env bash
# When the shell's notification area is re-created it broadcasts
# "TaskbarCreated"; the icon must be there afterwards and answer its menu.
# Also the program's own re-add request, and junk from another process.
source "$(dirname "$0")/lib.sh"

start_sweeper
icons=$(tray_icons)

driver broadcast TaskbarCreated >/dev/null
sleep 0.5
[ "$(tray_icons)" -eq "$icons" ] || fail "icon count changed after TaskbarCreated"
open_tray_menu
menu_key "$VK_ESCAPE"
wait_until 5 bash -c "! wine '$DRIVER_EXE' menu" || fail "menu did not close"
log "icon kept and answering after TaskbarCreated"

driver hostile "$APP_PID" 2000 7 || fail "could not post to the program's windows"
sleep 1
kill -0 "$SWEEPER_PID" || fail "junk messages ended the program"
[ "$(tray_icons)" -eq "$icons" ] || fail "junk messages changed the tray"
if driver menu >/dev/null; then fail "junk messages opened a menu"; fi
open_tray_menu
menu_key 0x45  # "E": Exit
wait_exit 10 "$SWEEPER_PID"
[ "$EXIT_CODE" -eq 0 ] || fail "Exit after junk ended with $EXIT_CODE"
log "passed"
