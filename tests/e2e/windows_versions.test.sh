#!/usr/bin/env bash
# The Windows version text under Wine posing as older Windows versions. Only
# the probe's own AppDefaults key is set, never the prefix-wide Version, so
# tests running in the same prefix are not disturbed.
source "$(dirname "$0")/lib.sh"

PROBE_EXE="$BUILD_DIR/tools/winver_probe.exe"
APP_KEY='HKCU\Software\Wine\AppDefaults\winver_probe.exe'

remove_key() { wine reg delete "$APP_KEY" /f >/dev/null 2>&1 || true; }
remove_key
at_exit remove_key

# version  pattern the safe text must match in full: for the 32-bit program
# the versions it was made for, for the 64-bit one those with a 64-bit
# edition. Past 5.2 the text names no product: "Windows NT product family? ",
# the edition word of a workstation or server, an empty service pack where
# the system has none, and the build.
if [ "$SWEEPER_ARCH" = x86 ]; then
  cases=(
    "winxp|Microsoft Windows XP (Professional|Home Edition) Service Pack [0-9]+ \(Build 2600\)"
    "win2k|Microsoft Windows 2000 (Professional|Server|Advanced Server|Datacenter Server) Service Pack [0-9]+ \(Build 2195\)"
    "nt40|Microsoft Windows NT (Workstation 4\.0 |Server 4\.0 |(Workstation |Server |Advanced Server )?4\.0)Service Pack [0-9]+a? \(Build 1381\)"
    "win98|Microsoft Windows 98 (SE )?"
    "win95|Microsoft Windows 95 (OSR2 )?"
  )
else
  edition="(Professional |Home Edition |Server 4\.0 |Server 4\.0, Enterprise Edition )"
  cases=(
    "winxp64|Microsoft Windows \.NET Server 2003 family, (Professional|Home Edition) Service Pack [0-9]+ \(Build 3790\)"
    "win2003|Microsoft Windows \.NET Server 2003 family, (Standard|Enterprise|Datacenter|Web) Edition Service Pack [0-9]+ \(Build 3790\)"
    "vista|Windows NT product family\? ${edition}(Service Pack [0-9]+)? \(Build 600[0-2]\)"
    "win7|Windows NT product family\? ${edition}(Service Pack 1)? \(Build 760[01]\)"
    "win10|Windows NT product family\? ${edition} \(Build 1[0-9]{4}\)"
  )
fi

failures=0
for entry in "${cases[@]}"; do
  version=${entry%%|*}
  pattern=${entry#*|}
  wine reg add "$APP_KEY" /v Version /d "$version" /f >/dev/null 2>&1 || fail "cannot set Version $version"
  output=$(timeout "$T_START" wine "$PROBE_EXE" 2>/dev/null | tr -d '\r') || fail "probe failed under $version"
  safe=$(sed -n 1p <<<"$output")
  basic=$(sed -n 2p <<<"$output")
  log "$version: '$safe' (basic: '$basic')"
  if ! [[ "$safe" =~ ^${pattern}$ ]]; then
    echo "[$TEST_NAME] $version: '$safe' does not match '$pattern'" >&2
    failures=$((failures + 1))
  fi
done
remove_key
[ "$failures" -eq 0 ] || fail "$failures version texts of the wrong form"
log "PASS"
