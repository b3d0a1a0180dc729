#!/usr/bin/env bash
# At 150% scaling (144 DPI) the program hands the shell its icon drawn at the
# slot's 24 pixels, not its 16-pixel one for the shell to stretch: Wine's
# tray draws it exactly as it draws the program's own 24-pixel image shown
# by another program, and unlike its 16-pixel one.
source "$(dirname "$0")/lib.sh"

# reference_icon SIZE: another program shows the program's icon at SIZE
# pixels; sets ICON to its icon window.
reference_icon() {
  local before
  before=$(driver tray-list)
  start_program "$BUILD_DIR/tools/trayhold.exe" "$(wine winepath -w "$SWEEPER_EXE" 2>/dev/null)" "$1"
  wait_until "$T_START" tray_icons_at_least $(($(echo "$before" | grep -c .) + 1)) || fail "no icon of $1 pixels"
  ICON=$(comm -13 <(echo "$before" | sort) <(driver tray-list | sort))
}
reference_icon 24
icon24=$ICON
reference_icon 16
icon16=$ICON

# Wine reads the DPI once, as a program starts: the program alone starts
# with 144.
desktop='HKCU\Control Panel\Desktop'
wine reg add "$desktop" /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1 || fail "cannot set the DPI"
at_exit "wine reg delete '$desktop' /v LogPixels /f >/dev/null 2>&1"
start_sweeper
wine reg delete "$desktop" /v LogPixels /f >/dev/null 2>&1 || fail "cannot set the DPI back"

# drawn_alike ICON ICON: the two icon windows show the same pixels. The
# tray draws them as it gets to them: asked until they are.
drawn_alike() {
  local shot x y w h
  shot=$(screenshot tray)
  for icon in "$1" "$2"; do
    read -r x y w h < <(driver tray-rect "$icon")
    convert "$shot" -crop "${w}x${h}+${x}+${y}" +repage "$shot.$icon.png"
  done
  [ "$(compare -metric AE "$shot.$1.png" "$shot.$2.png" null: 2>&1)" = 0 ]
}
wait_until "$T_UI" drawn_alike "$SWEEPER_ICON" "$icon24" || fail "at 144 DPI the tray shows another icon than the 24-pixel one"
! drawn_alike "$icon24" "$icon16" || fail "the tray draws the 16- and 24-pixel icons alike: nothing told apart"
log "icon of 24 pixels at 144 DPI"
exit_through_menu "at 144 DPI"
log "passed"
