#!/usr/bin/env bash
# Runs ctest for each architecture in ARCHES (default: both), side by side:
# each on a virtual display of its own, with its own prefix and one
# persistent wineserver, its lines marked with its name. An architecture
# this machine cannot run still goes through ctest, where every test reports
# itself skipped, and the reason is printed.
# Arguments go to ctest; without any, everything but the stress label runs.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/arch.sh"
: "${BUILD_ROOT:=$root/build}"
: "${ARCHES:=$SWEEPER_ALL_ARCHES}"
export BUILD_ROOT ARCHES
args=("$@")
if [ ${#args[@]} -eq 0 ]; then args=(-LE stress); fi

# One architecture's tests, in a subshell of their own: its Wine settings and
# its wineserver end with it.
run_arch() (
  source "$root/scripts/wine-env.sh" || exit
  start_fresh_wineserver
  # The first Wine process starts the prefix's services (winedevice.exe and
  # others), which live until the server ends and inherit its output handles:
  # started here, with nothing to inherit, they never hold a test's pipe open.
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
  # An icon of our own in Wine's tray for the whole run: removing the last icon
  # on a bare X server makes Wine wait ~2 s for a window manager.
  trayhold_pid=""
  if [ -f "$BUILD_DIR/tools/trayhold.exe" ]; then
    wine "$BUILD_DIR/tools/trayhold.exe" >/dev/null 2>&1 &
    trayhold_pid=$!
    # Its icon must be there before any test starts: a test tells the
    # program's icon from the others by which one is new.
    for _ in $(seq 1 200); do
      icons=$(wine "$BUILD_DIR/tools/driver.exe" tray-icons 2>/dev/null | tr -d '\r' || true)
      if [ "${icons:-0}" -ge 1 ]; then break; fi
      sleep 0.1
    done
  fi
  cleanup() {
    if [ -n "$trayhold_pid" ]; then kill "$trayhold_pid" 2>/dev/null || true; wait "$trayhold_pid" 2>/dev/null || true; fi
    wineserver -k >/dev/null 2>&1 || true
  }
  trap cleanup EXIT
  cd "$BUILD_DIR"
  ctest --output-on-failure "${args[@]}"
)

# The script runs itself on each architecture's own display for this part.
if [ -n "${SWEEPER_RUN_ARCH:-}" ]; then
  run_arch
  exit
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/sweeper-tests.XXXXXX")
started=()
end_started() {
  local pid
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${started[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap end_started EXIT
trap 'exit 130' INT TERM

for arch in $ARCHES; do
  export SWEEPER_ARCH=$arch BUILD_DIR="$BUILD_ROOT/$arch"
  if reason=$(sweeper_arch_unrunnable "$arch"); then
    echo "$arch: every test is skipped: $reason"
    if (cd "$BUILD_DIR" && ctest "${args[@]}") 2>&1 | sed "s/^/[$arch] /"; then
      echo "$arch: skipped: $reason" >"$work/$arch"
    else
      echo "$arch: skipped, but ctest FAILED: $reason" >"$work/$arch"
    fi
    continue
  fi
  echo "$arch: runs in $BUILD_DIR"
  (
    if SWEEPER_RUN_ARCH=1 bash "$root/scripts/virtual-display.sh" bash "$0" "${args[@]}"; then
      echo "$arch: ran, passed" >"$work/$arch"
    else
      echo "$arch: ran, FAILED" >"$work/$arch"
    fi
  ) 2>&1 | sed -u "s/^/[$arch] /" &
  started+=($!)
done
for pid in "${started[@]}"; do wait "$pid" || true; done
started=()

status=0
echo "Architectures:"
for arch in $ARCHES; do
  line=$(cat "$work/$arch" 2>/dev/null || echo "$arch: ended without a result")
  echo "  $line"
  case "$line" in *FAILED*|*"without a result"*) status=1 ;; esac
done
exit $status
