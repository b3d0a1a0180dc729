#!/usr/bin/env bash
# Runs the benchmarks for each architecture in ARCHES that this machine can
# run, under Wine on a private virtual display: the sweep worker beside a
# native first-touch memset of the same sizes (rates and worker / native
# ratio), then the footprint against a minimal tray program. Never part of
# `make test`.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/arch.sh"
: "${BUILD_ROOT:=$root/build}"
: "${ARCHES:=$SWEEPER_ALL_ARCHES}"
export BUILD_ROOT ARCHES

if [ -z "${SWEEPER_IN_DISPLAY:-}" ]; then
  export SWEEPER_IN_DISPLAY=1
  exec bash "$root/scripts/virtual-display.sh" bash "$0" "$@"
fi

native="$BUILD_ROOT/native_fill"
sizes=(256 1024)
native_out=""
if command -v cc >/dev/null; then
  mkdir -p "$BUILD_ROOT"
  cc -O2 -o "$native" "$root/bench/native_fill.c"
  native_out=$("$native" "${sizes[@]}")
else
  echo "run-bench: no host C compiler (cc), so no native figures; apt-get install gcc for them"
fi

bench_arch() (
  source "$root/scripts/wine-env.sh" || exit
  wineserver -p
  trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
  worker_out=$(wine "$BUILD_DIR/bench/sweep_bench.exe" 2>/dev/null | tr -d '\r')

  echo "Sweep fill rate (GB/s = 10^9 bytes per second, best of 3):"
  for mib in "${sizes[@]}"; do
    n=$(awk -v m="$mib" '$1 == "native" && $2 == m { print $3 }' <<<"$native_out")
    w=$(awk -v m="$mib" '$1 == "worker" && $2 == m { print $3 }' <<<"$worker_out")
    awk -v m="$mib" -v n="$n" -v w="$w" 'BEGIN {
      bytes = m * 1048576
      printf "  %4d MiB: worker %.2f GB/s (commit to release %.1f ms)", m, bytes / w / 1e9, w * 1000
      if (n != "") printf ", native %.2f GB/s, ratio %.2f", bytes / n / 1e9, n / w
      printf "\n" }'
  done
  grep -v -E '^(worker|native) ' <<<"$worker_out"
  # What a real PC's uncached block costs is the width of the stores, which
  # no run under Wine shows: read from the program's machine code.
  echo "The fill's stores in the program's machine code:"
  objects="$BUILD_DIR/program/CMakeFiles/sweeper_core.dir/sweep"
  python3 "$root/tests/fill_stores_check.py" "$(sed -n 's/^CMAKE_OBJDUMP:FILEPATH=//p' "$BUILD_DIR/CMakeCache.txt")" \
    "$objects/ZeroFill.cpp.obj" "$objects/MemorySweep.cpp.obj" | sed 's/^/  /' || true

  # How much the program costs to have around, against a bare tray program.
  echo
  bash "$root/bench/footprint.sh"
)

for arch in $ARCHES; do
  echo "=== $arch ==="
  if reason=$(sweeper_arch_unrunnable "$arch"); then
    echo "$arch: not run: $reason"
    continue
  fi
  export SWEEPER_ARCH=$arch BUILD_DIR="$BUILD_ROOT/$arch"
  bench_arch
  echo
done
