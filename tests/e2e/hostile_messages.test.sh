#!/usr/bin/env bash
# Messages another program can send that used to break or drive the program:
# one round of every message number with random parameters (the long runs
# are in hostile_storm.stress.sh), creation and destruction messages sent to
# its live windows, a close request to the tray's window, the tray's re-add
# request while the icon is shown, and clicks on the information window's
# links that no hand made. Nothing may crash it, start a sweep or open a
# menu, and afterwards the menu, About, a sweep's report and Exit all work.
source "$(dirname "$0")/lib.sh"

own_windows() { driver windows "$APP_PID" | awk '$3 == "TApplication" || $3 == "TDummyMainForm" || $3 == "TSweeperHiddenWindow" { print $1 }'; }

start_sweeper
peak_before=$(peak_resident_kb)
wine "$BUILD_DIR/tools/storm.exe" "$APP_PID" 20261208 0 >/dev/null 2>&1 || fail "could not send to the program's windows"
settle  # a sweep started by the messages would have filled 200 MB by now
kill -0 "$SWEEPER_PID" 2>/dev/null || fail "the messages ended the program"
peak_after=$(peak_resident_kb)
[ $((peak_after - peak_before)) -lt 65536 ] || fail "memory peaked ${peak_before} -> ${peak_after} KB: a sweep ran"
if driver menu >/dev/null; then fail "the messages opened a menu"; fi
if driver find "#32770" "$APP_PID" >/dev/null; then fail "the messages raised an error report"; fi
[ "$(tray_icons)" -eq $((ICONS_BEFORE + 1)) ] || fail "the messages changed the tray"
log "one round of every message: still running, no sweep (peak ${peak_before} -> ${peak_after} KB), no menu"

for wnd in $(own_windows); do
  driver send "$wnd" WM_DESTROY 0 0 >/dev/null || fail "no answer from $wnd"
  driver send "$wnd" WM_NCDESTROY 0 0 >/dev/null || fail "no answer from $wnd"
done
tray=$(tray_window)
driver send "$tray" WM_CLOSE 0 0 >/dev/null
driver post "$tray" WM_TRAYNOTIFY 0 "$(driver register '{31448FE3-A18D-4613-8570-C27EA52E92D4}')" >/dev/null ||
  fail "the tray's window is gone after a close request"
log "destruction messages, a close request and a re-add request sent"

# The tray's window still takes the clicks (the re-add request was queued
# before them); the application window still runs the chosen command.
open_about

# Releases without a press on the link, and a press on the hidden Desktop
# link. The key that closes the window is queued after them: once it is
# closed they have been handled.
mark_shortcuts
startup_link=$(info_label 'Create Shortcut into "Startup"')
desktop_link=$(info_label 'Create Shortcut into "Desktop"')
comment=$(info_label 'Frees physical memory')
driver post "$startup_link" WM_LBUTTONUP 0 0 >/dev/null
driver post "$comment" WM_LBUTTONDOWN 1 0 >/dev/null
driver post "$startup_link" WM_LBUTTONUP 0 0 >/dev/null
click_label "$desktop_link"
close_about
[ -z "$(new_shortcuts)" ] || fail "clicks no hand made wrote shortcuts: $(new_shortcuts)"
log "links acted on no release alone, no press elsewhere and no hidden label"

# The re-add request kept the icon added: the sweep reports in its balloon,
# and Exit removes the icon.
choose_sweep 10%
wait_sweep_reported '^Sweep (Complete|Incomplete: .* swept|Failed)$' "the sweep after the re-add request"
exit_through_menu "after the forged messages"
log "passed"
