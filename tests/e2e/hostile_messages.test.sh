#!/usr/bin/env bash
# Junk from another process: 10,000 tray callbacks with values that are not
# clicks, command ids, timer messages with bogus procedures and copy-data
# blocks, posted to every window of the program. Nothing may crash it, start
# a sweep or end it, and its menu must work afterwards.
source "$(dirname "$0")/lib.sh"

start_sweeper
icons=$(tray_icons)
peak_before=$(peak_resident_kb)

driver hostile "$APP_PID" 10000 20261208 || fail "could not post to the program's windows"
sleep 3  # a sweep started by the junk would have filled 200 MB by now
kill -0 "$SWEEPER_PID" 2>/dev/null || fail "junk messages ended the program"
peak_after=$(peak_resident_kb)
[ $((peak_after - peak_before)) -lt 65536 ] || fail "memory peaked ${peak_before} -> ${peak_after} KB: a sweep ran"
if driver tooltips 2>/dev/null | grep -q "Sweep"; then fail "junk messages started a sweep"; fi
if driver menu >/dev/null; then fail "junk messages opened a menu"; fi
if driver find "#32770" "$APP_PID" >/dev/null; then fail "junk messages raised an error report"; fi
[ "$(tray_icons)" -eq "$icons" ] || fail "junk messages changed the tray"
log "10,000 junk messages: still running, no sweep (peak ${peak_before} -> ${peak_after} KB), no menu"

open_tray_menu
menu_key 0x45  # "E": Exit
wait_exit 10 "$SWEEPER_PID"
[ "$EXIT_CODE" -eq 0 ] || fail "Exit after junk ended with $EXIT_CODE"
log "passed"
