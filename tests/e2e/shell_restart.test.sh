#!/usr/bin/env bash
# When the shell's notification area is re-created it broadcasts
# "TaskbarCreated"; the icon must be there afterwards and answer its menu,
# whether the broadcast comes while idle or during a sweep.
source "$(dirname "$0")/lib.sh"

start_sweeper
icons=$(tray_icons)

driver broadcast TaskbarCreated >/dev/null
sleep 0.5
[ "$(tray_icons)" -eq "$icons" ] || fail "icon count changed after TaskbarCreated"
open_tray_menu
menu_key "$VK_ESCAPE"
wait_until 5 no_menu_open || fail "menu did not close"
log "icon kept and answering after TaskbarCreated while idle"

# During a sweep the broadcast waits in the queue until the sweep ends.
choose_long_sweep
sleep 0.2
driver broadcast TaskbarCreated >/dev/null
wait_until 30 sweep_reported || fail "the sweep did not end"
[ "$(tray_icons)" -eq "$icons" ] || fail "icon count changed after TaskbarCreated during a sweep"
exit_through_menu "after the shell restarts"
log "passed"
