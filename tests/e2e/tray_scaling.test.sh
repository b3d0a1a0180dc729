#!/usr/bin/env bash
# At 150% scaling (144 DPI) the program hands the shell its icon drawn at the
# slot's 24 pixels, not its 16-pixel one for the shell to stretch: Wine's
# tray draws it exactly as it draws the program's own 24-pixel image shown
# by another program, and unlike its 16-pixel one.
source "$(dirname "$0")/lib.sh"

# Wine reads the DPI once, as a program starts: only the program starts
# with it, and every program after it (the references) with the usual one.
desktop='HKCU\Control Panel\Desktop'
wine reg add "$desktop" /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1 || fail "cannot set the DPI"
at_exit "wine reg delete '$desktop' /v LogPixels /f >/dev/null 2>&1"
start_sweeper
wine reg delete "$desktop" /v LogPixels /f >/dev/null 2>&1 || fail "cannot set the DPI back"

# reference_icon SIZE: another program shows the program's icon at SIZE
# pixels; sets ICON to its icon window and adds the program to REFERENCES.
REFERENCES=()
reference_icon() {
  local before
  before=$(driver tray-list)
  start_program "$BUILD_DIR/tools/trayhold.exe" "$(wine winepath -w "$SWEEPER_EXE" 2>/dev/null)" "$1"
  REFERENCES+=("$LAST_PID")
  wait_until "$T_START" tray_icons_at_least $(($(echo "$before" | grep -c .) + 1)) || fail "no icon of $1 pixels"
  ICON=$(comm -13 <(echo "$before" | sort) <(driver tray-list | sort))
}
reference_icon 24
icon24=$ICON
reference_icon 16
icon16=$ICON

# differing_pixels ICON ICON: between the two icon windows, in one screenshot.
differing_pixels() {
  local shot x y w h
  shot=$(screenshot tray)
  for icon in "$1" "$2"; do
    read -r x y w h < <(driver tray-rect "$icon")
    convert "$shot" -crop "${w}x${h}+${x}+${y}" +repage "$shot.$icon.png"
  done
  compare -metric AE "$shot.$1.png" "$shot.$2.png" null: 2>&1 || true
}
# The icons are drawn as the tray gets to them: compared once all are.
drawn_alike() { [ "$(differing_pixels "$1" "$2")" = 0 ]; }
wait_until "$T_UI" drawn_alike "$SWEEPER_ICON" "$icon24" || fail "at 144 DPI the tray shows another icon than the 24-pixel one"
! drawn_alike "$icon24" "$icon16" || fail "the tray draws the 16- and 24-pixel icons alike: nothing told apart"
log "icon of 24 pixels at 144 DPI"
for pid in "${REFERENCES[@]}"; do kill "$pid" && wait "$pid" || true; done
wait_until "$T_UI" tray_icons_equal $((ICONS_BEFORE + 1)) || fail "the other program's icons stayed"
exit_through_menu "at 144 DPI"
log "passed"
