#!/usr/bin/env bash
# Paths the program must split right: run with Wine's ANSI code page 932 from
# a folder and under a name whose first character "表" is 0x95 0x5C (a
# backslash as second byte), from a folder with spaces, and from a path near
# MAX_PATH. The tip, the title, the exe-name label and the Startup shortcut
# must all name the program whole.
source "$(dirname "$0")/lib.sh"
export LC_ALL=ja_JP.utf8  # Wine takes its ANSI code page from the locale

from_sjis() { iconv -f CP932 -t UTF-8; }
tip_is() { driver tooltips 2>/dev/null | from_sjis | grep -qxF "$1"; }

startup=$(startup_folder)
[ -n "$startup" ] || fail "Wine has no Startup folder"
work="$BUILD_DIR/dbcs-paths"
rm -rf "$work"
at_exit 'rm -rf "$work"'

# check_program DIR NAME: copies the program to DIR/NAME.exe and checks it.
check_program() {
  local name=$2
  start_copy "$1" "$name"

  [ "$(driver app | head -n1 | sed 's/^[^"]*"//; s/"$//' | from_sjis)" = "$name" ] || fail "title of $name"

  # The tip shows when the pointer rests on the icon.
  read -r x y w h < <(driver tray-rect "$SWEEPER_ICON")
  # Two small moves inside the icon, as a hand would make, start Wine's hover.
  xdotool mousemove $((x + w / 2 - 1)) $((y + h / 2 - 1)) sleep 0.2 mousemove $((x + w / 2)) $((y + h / 2))
  wait_until "$T_UI" tip_is "$name.exe" ||
    fail "tip of $name: $(driver tooltips | from_sjis)"
  xdotool mousemove 500 500

  open_about
  [ "$(driver text "$INFO_FORM" | from_sjis)" = "$name - InfoForm" ] || fail "window title of $name"
  driver children "$INFO_FORM" | from_sjis | grep -qF "\"$name.exe\"" || fail "exe-name label of $name"

  rm -f "$startup/$name.lnk"
  expect_startup_shortcut "$startup/$name.lnk"
  rm -f "$startup/$name.lnk"

  close_about
  # Wine's tray drops the icon of an ended program a moment later: the next
  # start must not count it as its own.
  close_program
  log "right from a path of $(printf "%s" "$EXE_WINDOWS" | wc -c) bytes: $EXE_WINDOWS"
}

check_program "$work/表示" "表示"
check_program "$work/with spaces/表 示" "Sweeper"
# Near MAX_PATH (260): the Windows path of the exe has about 250 characters.
deep=$(deep_folder "$work" 225)
check_program "$deep" "表示"
log "passed"
