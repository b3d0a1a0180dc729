#!/usr/bin/env bash
# The loader's protections, checked on the built program:
# - its header asks for ASLR (and keeps the relocations that make it real)
#   and DEP, names a GUI program; the 32-bit program is not large-address
#   aware, the 64-bit one takes addresses from the whole 64-bit range;
# - it imports only libraries that Windows always takes from its own folder;
# - no library planted beside the program or in its working directory runs
#   inside it, through every feature. A canary library (canary/canary.cpp),
#   which leaves a mark when loaded, is copied there under the name of every
#   library the program has loaded that is not a KnownDLL, and no mark may
#   appear. (Planting the KnownDLLs, which Windows never looks for elsewhere,
#   would only make Wine, which has no such list, trip over its own libraries.)
#
# Wine prefers its own builtin libraries to any file it finds, so under its
# defaults a planted library would never run and the check would pass
# whatever the program did. The program is therefore run with Wine told to
# take the first file it finds ("native, then builtin"), as Windows does, for
# every name Windows would look up in the program's folder: not a KnownDLL,
# and not imported by one of the system's own libraries (Windows takes those
# from its own folder with the library that imports them; Wine looks for them
# in the program's folder too, and would only be caught in the act itself).
source "$(dirname "$0")/lib.sh"

# The KnownDLLs of Windows 10 and 11 (those of 7 are the same but for a few
# libraries it does not have): the loader takes them, and the libraries they
# import, from the system folder only. ntdll and kernelbase are mapped before
# anything else.
KNOWN_DLLS="advapi32 clbcatq combase comdlg32 coml2 difxapi gdi32 gdiplus imagehlp imm32 kernel32 msctf
  msvcrt normaliz nsi ole32 oleaut32 psapi rpcrt4 sechost setupapi shcore shell32 shlwapi user32 wldap32
  ws2_32 ntdll kernelbase"
is_known() { [[ " $(echo $KNOWN_DLLS) " == *" ${1%.dll} "* ]]; }
lower() { tr '[:upper:]' '[:lower:]'; }

# ---- The header.
header=$(python3 "$SWEEPER_SOURCE_DIR/tests/e2e/pe_info.py" "$SWEEPER_EXE") || fail "cannot read the program's header"
field() { awk -v key="$1" '$1 == key { print $2 }' <<<"$header"; }
if [ "$SWEEPER_ARCH" = x86 ]; then machine=0x14c; else machine=0x8664; fi
[ "$(field machine)" = "$machine" ] || fail "not the $SWEEPER_ARCH program: machine $(field machine)"
[ "$(field subsystem)" = 2 ] || fail "subsystem $(field subsystem), not a Windows GUI program (2)"
flags=$(($(field characteristics)))
dll_flags=$(($(field dll_characteristics)))
((dll_flags & 0x40)) || fail "DYNAMICBASE (ASLR) is not set: $(field dll_characteristics)"
((dll_flags & 0x100)) || fail "NXCOMPAT (DEP) is not set: $(field dll_characteristics)"
# Without relocations the loader cannot move the image, whatever DYNAMICBASE says.
if ((flags & 0x1)) || [ "$(field relocations)" -eq 0 ]; then fail "the relocations are stripped"; fi
if [ "$SWEEPER_ARCH" = x86 ]; then
  if ((flags & 0x20)); then fail "the 32-bit program is large-address aware"; fi
else
  ((dll_flags & 0x20)) || fail "HIGH_ENTROPY_VA (64-bit ASLR) is not set: $(field dll_characteristics)"
fi
imports=$(awk '$1 == "import" || $1 == "delay_import" { print $2 }' <<<"$header" | lower)
for name in $imports; do
  is_known "$name" || fail "imports $name, which the loader may take from the program's folder"
done
log "header: characteristics $(field characteristics), dll characteristics $(field dll_characteristics)," \
  "$(field relocations) bytes of relocations; imports $(echo $imports)"

# ---- Planted libraries.
CANARY="$BUILD_DIR/canary/canary.dll"
MODULES_EXE="$BUILD_DIR/tools/modules.exe"
[ -f "$CANARY" ] || fail "no canary library at $CANARY"
startup=$(startup_folder)
[ -n "$startup" ] || fail "Wine has no Startup folder"
work=$(mktemp -d)
program="$work/program"
current="$work/current"
mkdir -p "$program" "$current" "$work/control"
marks() { find "$work" -name '*.loaded' -printf '%P\n'; }
# A feature that fails with canaries planted most likely ran one: say which.
clean_up() {
  if [ -n "$(marks)" ]; then log "planted libraries that were loaded: $(marks | tr '\n' ' ')"; fi
  rm -rf "$work"
  rm -f "$startup/Sweeper.lnk"
}
at_exit clean_up
cp "$SWEEPER_EXE" "$program/Sweeper.exe"
SWEEPER_EXE="$program/Sweeper.exe"
cd "$current"

# The canary leaves its mark when a program that does not narrow its search
# finds it by name beside itself; without that, no mark would prove nothing.
cp "$MODULES_EXE" "$work/control/modules.exe"
cp "$CANARY" "$work/control/sweeper-control.dll"
wine "$work/control/modules.exe" load sweeper-control.dll >/dev/null 2>&1 || fail "the control did not load the canary"
[ -f "$work/control/sweeper-control.dll.loaded" ] || fail "the canary left no mark when loaded"
rm -rf "$work/control"

# exercise OVERRIDES: every feature through the real program, started from
# the working directory with those Wine library overrides; sets LOADED to the
# paths of the modules it had loaded before it was told to exit.
exercise() {
  WINEDLLOVERRIDES="$1" start_sweeper
  choose_sweep 10%
  wait_sweep_reported '^Sweep Complete$' "the 10% sweep"

  open_about
  # The version label needs version.dll to work.
  [ -n "$(info_label 'Ver.0.5.5.6')" ] || fail "no file version in the information window"
  rm -f "$startup/Sweeper.lnk"
  click_label "$(info_label 'Create Shortcut into "Startup"')"
  wait_until "$T_UI" test -f "$startup/Sweeper.lnk" || fail "no shortcut in the Startup folder"
  rm -f "$startup/Sweeper.lnk"
  close_about

  LOADED=$(wine "$MODULES_EXE" "$APP_PID" 2>/dev/null | tr -d '\r' | lower)
  [ -n "$LOADED" ] || fail "cannot list the program's libraries"
  exit_through_menu "with the overrides $1"
}

# A first run without canaries names the libraries the features load.
exercise "$WINEDLLOVERRIDES"
base_name() { sed 's/.*\\//'; }
names=$(printf '%s\n' $(base_name <<<"$LOADED") $imports | grep -vx 'sweeper.exe' | sort -u)
system_imports=$(
  for name in $(grep '^c:\\windows\\system32\\' <<<"$LOADED" | base_name); do
    python3 "$SWEEPER_SOURCE_DIR/tests/e2e/pe_info.py" "$WINEPREFIX/drive_c/windows/system32/$name" |
      awk '$1 == "import" { print $2 }'
  done | lower | sort -u)

planted=""
native_first=""
for name in $names; do
  if is_known "$name"; then continue; fi
  cp "$CANARY" "$program/$name"
  cp "$CANARY" "$current/$name"
  planted="$planted $name"
  if ! grep -qx "$name" <<<"$system_imports"; then native_first="$native_first${native_first:+,}${name%.dll}"; fi
done
[ -n "$native_first" ] || fail "no library left to plant where Windows would look for it"
exercise "$WINEDLLOVERRIDES;$native_first=n,b"
[ -z "$(marks)" ] || fail "planted libraries were loaded: $(marks | tr '\n' ' ')"
log "canaries beside the program and in its working directory:$planted;" \
  "the first file found is taken for $native_first; none was loaded"
log "passed"
