#!/usr/bin/env bash
# A program in a folder and under a name that Wine's ANSI code page 1252
# cannot spell ("Ελληνικά\Σάρωση.exe" reads "????????\S???s?.exe"): what acts
# on the program's file reaches the real file. The version line shows the
# version, the Startup shortcut points at the program and works in its
# folder, "Open Folder This Program in" opens that folder, and Reboot starts
# a new copy. Texts shown stay ANSI.
source "$(dirname "$0")/lib.sh"
export LC_ALL=C.UTF-8  # Wine takes its ANSI code page from the locale: 1252

folder_windows() { driver find ExplorerWClass; }

startup=$(startup_folder)
[ -n "$startup" ] || fail "Wine has no Startup folder"
work="$BUILD_DIR/unspellable"
folder="$work/Ελληνικά"
rm -rf "$work" "$startup/Σάρωση.lnk"
cleanup() {
  local pid
  for pid in $(folder_windows 2>/dev/null | cut -d' ' -f2); do driver terminate "$pid" >/dev/null || true; done
  rm -rf "$work" "$startup/Σάρωση.lnk"
}
at_exit cleanup
start_copy "$folder" Σάρωση
exe_windows=$(wine winepath -w "$SWEEPER_EXE" 2>/dev/null)
[ "$(driver app | head -n1 | sed 's/^[^"]*"//; s/"$//')" = "S???s?" ] || fail "title: $(driver app)"

open_about
[ -n "$(info_label 'Ver.0.5.5.6')" ] || fail "version line: $(driver children "$INFO_FORM" | grep -F '"Ver.')"

click_label "$(info_label 'Create Shortcut into "Startup"')"
wait_until "$T_UI" test -f "$startup/Σάρωση.lnk" || fail "no Σάρωση.lnk in the Startup folder: $(ls "$startup")"
shortcut=$(driver shortcut "$(wine winepath -w "$startup/Σάρωση.lnk" 2>/dev/null)") || fail "cannot read the shortcut back"
# The shell starts a shortcut through its item; Wine keeps beside it an ANSI
# copy of the path (the "target" line), which is all question marks here.
echo "$shortcut" | grep -qxF "item=$exe_windows" || fail "shortcut item: $shortcut"
echo "$shortcut" | grep -qxF "directory=${exe_windows%\\*}" || fail "shortcut directory: $shortcut"
echo "$shortcut" | grep -qx "arguments=/starup" || fail "shortcut arguments: $shortcut"
log "Startup shortcut: $(echo "$shortcut" | tr '\n' ' ')"

click_label "$(info_label 'Open Folder This Program in')"
wait_until "$T_START" folder_windows || fail "the program's folder did not open"
# The folder window's title is its name, read here through the ANSI code page.
folder_windows | grep -qF '"????????"' || fail "another folder opened: $(folder_windows)"
log "folder window: $(folder_windows | head -n1)"
for pid in $(folder_windows | cut -d' ' -f2); do driver terminate "$pid" >/dev/null; done

close_about

reboot_through_menu
close_other_instance
log "passed"
