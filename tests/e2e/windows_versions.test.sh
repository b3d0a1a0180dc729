#!/usr/bin/env bash
# The Windows version text under Wine posing as older Windows versions. Only
# the probe's own AppDefaults key is set, never the prefix-wide Version, so
# tests running in the same prefix are not disturbed.
source "$(dirname "$0")/lib.sh"

PROBE_EXE="$BUILD_DIR/tools/winver_probe.exe"
APP_KEY='HKCU\Software\Wine\AppDefaults\winver_probe.exe'

remove_key() { wine reg delete "$APP_KEY" /f >/dev/null 2>&1 || true; }
trap 'remove_key; stop_started' EXIT

# version  pattern the safe text must match in full
cases=(
  "winxp|Microsoft Windows XP (Professional|Home Edition) Service Pack [0-9]+ \(Build 2600\)"
  "win2k|Microsoft Windows 2000 (Professional|Server|Advanced Server|Datacenter Server) Service Pack [0-9]+ \(Build 2195\)"
  "nt40|Microsoft Windows NT (Workstation 4\.0 |Server 4\.0 |(Workstation |Server |Advanced Server )?4\.0)Service Pack [0-9]+a? \(Build 1381\)"
  "win98|Microsoft Windows 98 (SE )?"
  "win95|Microsoft Windows 95 (OSR2 )?"
)

failures=0
for entry in "${cases[@]}"; do
  version=${entry%%|*}
  pattern=${entry#*|}
  wine reg add "$APP_KEY" /v Version /d "$version" /f >/dev/null 2>&1 || fail "cannot set Version $version"
  output=$(timeout 60 wine "$PROBE_EXE" 2>/dev/null | tr -d '\r') || fail "probe failed under $version"
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
