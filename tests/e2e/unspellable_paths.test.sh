#!/usr/bin/env bash
# A program in a folder and under a name that Wine's ANSI code page 1252
# cannot spell ("Ελληνικά\Σάρωση.exe" reads "????????\S???s?.exe"), for a
# user whose Startup folder it cannot spell either ("Ελένη\Έναρξη"): what
# acts on the program's file and on that folder reaches the real ones. The
# version line shows the version, the Startup shortcut lands in that folder,
# points at the program and works in its folder, "Open "Startup"" and "Open
# Folder This Program in" open those folders, and Reboot starts a new copy.
# Texts shown stay ANSI.
source "$(dirname "$0")/lib.sh"
export LC_ALL=C.UTF-8  # Wine takes its ANSI code page from the locale: 1252

folder_windows() { driver find ExplorerWClass; }

work="$BUILD_DIR/unspellable"
folder="$work/Ελληνικά"
startup="$work/Ελένη/Έναρξη"
rm -rf "$work"
cleanup() {
  local pid
  for pid in $(folder_windows 2>/dev/null | cut -d' ' -f2); do driver terminate "$pid" >/dev/null || true; done
  restore_startup_value
  rm -rf "$work"
}
at_exit cleanup
mkdir -p "$startup"
point_startup_at "$(wine winepath -w "$startup" 2>/dev/null)"
start_copy "$folder" Σάρωση
[ "$(driver app | head -n1 | sed 's/^[^"]*"//; s/"$//')" = "S???s?" ] || fail "title: $(driver app)"

open_about
[ -n "$(info_label 'Ver.0.5.5.6')" ] || fail "version line: $(driver children "$INFO_FORM" | grep -F '"Ver.')"

# The shell starts a shortcut through its item; Wine keeps beside it an ANSI
# copy of the path (the "target" line), which is all question marks here.
expect_startup_shortcut "$startup/Σάρωση.lnk" item
log "Startup shortcut: $(echo "$SHORTCUT" | tr '\n' ' ')"

# open_folder LABEL TITLE: the label opens a folder window of that title, the
# folder's name read through the ANSI code page.
open_folder() {
  click_label "$(info_label "$1")"
  wait_until "$T_START" folder_windows || fail "$1: no folder opened"
  folder_windows | grep -qF "\"$2\"" || fail "$1: another folder opened: $(folder_windows)"
  log "$1: $(folder_windows | head -n1)"
  local pid
  for pid in $(folder_windows | cut -d' ' -f2); do driver terminate "$pid" >/dev/null; done
  wait_until "$T_UI" eval '! folder_windows' || fail "$1: the folder window stayed"
}
open_folder 'Open Folder This Program in' '????????'
open_folder 'Open "Startup"' '??a???'  # code page 1252's best fit for "α" is "a"

close_about

reboot_through_menu
close_other_instance
log "passed"
