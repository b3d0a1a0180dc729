#!/usr/bin/env bash
# Messages another program can send that used to break or drive the program:
# one round of every message number with random parameters (the long runs
# are in hostile_storm.stress.sh), creation and destruction messages sent to
# its live windows, a close request to the tray's window, the tray's re-add
# request while the icon is shown, and clicks on the information window's
# links that no hand made. Nothing may crash it, start a sweep or open a
# menu, and afterwards the menu, About, a sweep's report and Exit all work.
source "$(dirname "$0")/lib.sh"
WM_DESTROY=0x02
WM_CLOSE=0x10
WM_NCDESTROY=0x82
WM_LBUTTONDOWN=0x201
WM_LBUTTONUP=0x202

own_windows() { driver windows "$APP_PID" | awk '$3 == "TApplication" || $3 == "TDummyMainForm" || $3 == "TSweeperHiddenWindow" { print $1 }'; }
info_form() { driver find TInfoForm "$APP_PID" | awk '$4 == 1' | head -n1 | cut -d' ' -f1; }
label() { driver children "$(info_form)" | grep -F "\"$1\"" | cut -d' ' -f1; }
profile="$WINEPREFIX/drive_c/users/$(whoami)"
new_shortcuts() { find -L "$profile" -maxdepth 7 -name '*.lnk' -newer "$ARTIFACTS/started" 2>/dev/null; }

start_sweeper
peak_before=$(peak_resident_kb)
wine "$BUILD_DIR/tools/storm.exe" "$APP_PID" 20261208 0 >/dev/null 2>&1 || fail "could not send to the program's windows"
sleep 3  # a sweep started by the messages would have filled 200 MB by now
kill -0 "$SWEEPER_PID" 2>/dev/null || fail "the messages ended the program"
peak_after=$(peak_resident_kb)
[ $((peak_after - peak_before)) -lt 65536 ] || fail "memory peaked ${peak_before} -> ${peak_after} KB: a sweep ran"
if driver menu >/dev/null; then fail "the messages opened a menu"; fi
if driver find "#32770" "$APP_PID" >/dev/null; then fail "the messages raised an error report"; fi
[ "$(tray_icons)" -eq $((ICONS_BEFORE + 1)) ] || fail "the messages changed the tray"
log "one round of every message: still running, no sweep (peak ${peak_before} -> ${peak_after} KB), no menu"

for wnd in $(own_windows); do
  driver send "$wnd" $WM_DESTROY 0 0 >/dev/null || fail "no answer from $wnd"
  driver send "$wnd" $WM_NCDESTROY 0 0 >/dev/null || fail "no answer from $wnd"
done
tray_window=$(driver windows "$APP_PID" | awk '$3 == "TSweeperHiddenWindow" { print $1 }')
driver send "$tray_window" $WM_CLOSE 0 0 >/dev/null
driver post "$tray_window" 0x7658 0 "$(driver register '{31448FE3-A18D-4613-8570-C27EA52E92D4}')" >/dev/null ||
  fail "the tray's window is gone after a close request"
sleep 0.5
log "destruction messages, a close request and a re-add request sent"

# The tray's window still takes the clicks; the application window still runs
# the chosen command.
open_tray_menu
menu_key 0x41  # "A": About This Program...
wait_until 10 driver find TInfoForm "$APP_PID" || fail "About opened no information window"
info_labels_ready() { driver children "$(info_form)" | grep -q 'free physical memory:'; }
wait_until 10 info_labels_ready || fail "the information window has no labels"

# Releases without a press on the link, and a press on the hidden Desktop link.
touch "$ARTIFACTS/started"
sleep 1
startup_link=$(label 'Create Shortcut into "Startup"')
desktop_link=$(label 'Create Shortcut into "Desktop"')
comment=$(label 'Frees physical memory')
driver post "$startup_link" $WM_LBUTTONUP 0 0 >/dev/null
driver post "$comment" $WM_LBUTTONDOWN 1 0 >/dev/null
driver post "$startup_link" $WM_LBUTTONUP 0 0 >/dev/null
click_label "$desktop_link"
sleep 2
[ -z "$(new_shortcuts)" ] || fail "clicks no hand made wrote shortcuts: $(new_shortcuts)"
driver key "$(info_form)" "$VK_ESCAPE" >/dev/null
no_info_form() { ! driver find TInfoForm "$APP_PID" >/dev/null; }
wait_until 10 no_info_form || fail "the information window did not close"
log "links acted on no release alone, no press elsewhere and no hidden label"

# The re-add request kept the icon added: the sweep reports in its balloon,
# and Exit removes the icon.
choose_sweep 0x31  # 10%
wait_until 30 sweep_reported || fail "no report after the re-add request"
exit_through_menu "after the forged messages"
log "passed"
