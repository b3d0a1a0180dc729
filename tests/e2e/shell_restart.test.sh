#!/usr/bin/env bash
# When the shell's notification area is re-created it broadcasts
# "TaskbarCreated"; the icon must be there afterwards and answer its menu,
# whether the broadcast comes while idle or during a sweep.
source "$(dirname "$0")/lib.sh"

start_sweeper
icons=$(tray_icons)

# The broadcast is queued before the click that opens the menu, so once the
# menu is open the program has handled it.
driver broadcast TaskbarCreated >/dev/null
menu_answers "after TaskbarCreated"
[ "$(tray_icons)" -eq "$icons" ] || fail "icon count changed after TaskbarCreated"
log "icon kept and answering after TaskbarCreated while idle"

# During a sweep the broadcast waits in the queue until the sweep ends.
baseline=$(resident_kb)
choose_long_sweep
wait_sweep_filling "$baseline"
driver broadcast TaskbarCreated >/dev/null
wait_sweep_reported '^Sweep (Complete|Incomplete: .* swept|Failed)$' "the sweep during TaskbarCreated"
[ "$(tray_icons)" -eq "$icons" ] || fail "icon count changed after TaskbarCreated during a sweep"
exit_through_menu "after the shell restarts"
log "passed"
