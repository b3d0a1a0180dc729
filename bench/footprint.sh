#!/usr/bin/env bash
# Footprint of the program against the least program that keeps a tray icon
# (bench/MinimalTray.cpp), both under Wine: the time from launch to the tray
# icon (median of several starts), resident memory and CPU time while idle
# with the icon, the CPU the sweep animation takes, and the size of the
# program. Run by scripts/run-bench.sh on its virtual display, with its
# wineserver; never part of `make test`.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/wine-env.sh" || exit

: "${SWEEPER_EXE:=$BUILD_DIR/Sweeper.exe}"  # another build of the program may be set
MINIMAL_EXE="$BUILD_DIR/bench/minimal_tray.exe"
WATCH_EXE="$BUILD_DIR/bench/tray_watch.exe"
DRIVER_EXE="$BUILD_DIR/tools/driver.exe"
STARTS=7
IDLE_SECONDS=10
SIZE_GOAL=300000

work=$(mktemp -d)
started=()
clean_up() {
  local pid
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${started[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap clean_up EXIT
die() {
  echo "footprint: $*" >&2
  exit 1
}

driver() { wine "$DRIVER_EXE" "$@" 2>/dev/null | tr -d '\r'; }
exe_of() { if [ "$1" = sweeper ]; then echo "$SWEEPER_EXE"; else echo "$MINIMAL_EXE"; fi; }
# The window each program is closed through: Sweeper's application window
# (it carries the instance property), the reference's only window.
window_of() {
  if [ "$1" = sweeper ]; then driver app; else driver find MinimalTray; fi | head -n1 | cut -d' ' -f1
}

# launch NAME: starts the program; sets PID and START_MS, the time from the
# launch to its icon in Wine's tray, as the already running watcher saw it.
launch() {
  local fifo="$work/watch" line t0 t1 watcher
  rm -f "$fifo"
  mkfifo "$fifo"
  wine "$WATCH_EXE" 20000 >"$fifo" 2>/dev/null &
  watcher=$!
  exec 3<"$fifo"
  read -r -t 15 line <&3 || die "the tray watcher did not start"
  t0=$(date +%s%N)
  wine "$(exe_of "$1")" >/dev/null 2>&1 &
  PID=$!
  started+=("$PID")
  read -r -t 20 line <&3 || die "no tray icon from $1 within 20 s"
  t1=$(date +%s%N)
  exec 3<&-
  wait "$watcher" || true
  START_MS=$(((t1 - t0) / 1000000))
}

# close NAME PID: asks the program to close and waits (10 s at most) for it.
close() {
  local wnd i
  wnd=$(window_of "$1")
  if [ -n "$wnd" ]; then driver post "$wnd" 0x10 0 0 >/dev/null; fi  # WM_CLOSE
  for i in $(seq 100); do
    if ! kill -0 "$2" 2>/dev/null; then break; fi
    sleep 0.1
  done
  kill "$2" 2>/dev/null || true
  wait "$2" 2>/dev/null || true
}

resident_kb() { awk -v key="$2:" '$1 == key { print $2 }' "/proc/$1/status"; }
# utime + stime of every thread of the process, in clock ticks (after the
# command name, which may hold spaces, they are fields 12 and 13).
cpu_ticks() { sed 's/^.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }'; }
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else printf "n/a" }'; }

[ -f "$MINIMAL_EXE" ] && [ -f "$WATCH_EXE" ] || die "build the benchmarks first (make bench)"
if [ -f "$BUILD_DIR/tools/trayhold.exe" ]; then
  # An icon of our own stays in the tray, so that removing one of the
  # measured icons never makes Wine wait for a window manager.
  wine "$BUILD_DIR/tools/trayhold.exe" >/dev/null 2>&1 &
  started+=("$!")
  sleep 1
fi

# One start of each first, unmeasured: the first Wine process of a session
# pays for loading Wine itself.
for name in sweeper minimal; do
  launch "$name"
  close "$name" "$PID"
done
sweeper_starts=()
minimal_starts=()
for run in $(seq "$STARTS"); do
  launch sweeper
  sweeper_starts+=("$START_MS")
  close sweeper "$PID"
  launch minimal
  minimal_starts+=("$START_MS")
  close minimal "$PID"
done
sweeper_start=$(printf '%s\n' "${sweeper_starts[@]}" | median)
minimal_start=$(printf '%s\n' "${minimal_starts[@]}" | median)

# Both idle with their icons: memory after they settled, then CPU over the
# idle time.
launch sweeper
sweeper_pid=$PID
launch minimal
minimal_pid=$PID
sleep 3
sweeper_rss=$(resident_kb "$sweeper_pid" VmRSS)
sweeper_anon=$(resident_kb "$sweeper_pid" RssAnon)
minimal_rss=$(resident_kb "$minimal_pid" VmRSS)
minimal_anon=$(resident_kb "$minimal_pid" RssAnon)
sweeper_cpu=$(cpu_ticks "$sweeper_pid")
minimal_cpu=$(cpu_ticks "$minimal_pid")
sleep "$IDLE_SECONDS"
tick_ms=$((1000 / $(getconf CLK_TCK)))
sweeper_idle=$((($(cpu_ticks "$sweeper_pid") - sweeper_cpu) * tick_ms))
minimal_idle=$((($(cpu_ticks "$minimal_pid") - minimal_cpu) * tick_ms))
close sweeper "$sweeper_pid"
close minimal "$minimal_pid"

animation=$(wine "$BUILD_DIR/bench/animation_bench.exe" 2>/dev/null | tr -d '\r')
sweeper_size=$(stat -c %s "$SWEEPER_EXE")
minimal_size=$(stat -c %s "$MINIMAL_EXE")

echo "Footprint (Sweeper against a program that only keeps a tray icon, both under Wine):"
echo "  launch to tray icon: Sweeper ${sweeper_start} ms, reference ${minimal_start} ms" \
  "(median of $STARTS starts), ratio $(ratio "$sweeper_start" "$minimal_start")"
awk -v s="$sweeper_rss" -v m="$minimal_rss" -v sa="$sweeper_anon" -v ma="$minimal_anon" 'BEGIN {
  printf "  resident while idle: Sweeper %.1f MiB, reference %.1f MiB, ratio %.2f;", s / 1024, m / 1024, s / m
  printf " private %.1f MiB against %.1f MiB, ratio %.2f\n", sa / 1024, ma / 1024, sa / ma }'
echo "  CPU while idle for ${IDLE_SECONDS} s: Sweeper ${sweeper_idle} ms, reference ${minimal_idle} ms" \
  "(goal 0 ms; resolution ${tick_ms} ms), ratio $(ratio "$sweeper_idle" "$minimal_idle")"
awk '$1 == "animation" { seconds[$2] = $3; cpu[$2] = $4; frames[$2] = $5 }
  END {
    c = cpu["command"] / seconds["command"] / 10; b = cpu["bare"] / seconds["bare"] / 10
    printf "  animation during a sweep: %.2f%% of a core (%.0f ms in %.1f s, %d frames);", c, cpu["command"], seconds["command"], frames["command"]
    printf " bare frame loop %.2f%% (%.0f ms, %d frames), ratio %s\n", b, cpu["bare"], frames["bare"], (b > 0) ? sprintf("%.2f", c / b) : "n/a" }' <<<"$animation"
awk -v s="$sweeper_size" -v g="$SIZE_GOAL" -v m="$minimal_size" 'BEGIN {
  printf "  program size: %d bytes (%.1f KiB), goal at most %d bytes, ratio %.2f; reference %d bytes\n", s, s / 1024, g, s / g, m }'
