#!/usr/bin/env bash
# Thirty restarts in a row: after each exactly one instance runs, with one
# tray icon and one application window carrying the property.
source "$(dirname "$0")/lib.sh"

start_sweeper
for round in $(seq 1 30); do
  log "round $round"
  reboot_through_menu
done
log "30 restarts: one instance, one icon, one marked application window after each"
close_other_instance
log "passed"
