#!/usr/bin/env bash
# virtual-display.sh COMMAND [ARGUMENT...]: runs COMMAND on a virtual display
# of its own and ends the display with it; exits with COMMAND's status.
# Xvfb itself picks a free display number (-displayfd) and holds it from the
# moment it is chosen, so several of these can start at once (the two
# architectures' test runs do), where `xvfb-run -a` may pick one number twice.
set -uo pipefail
work=$(mktemp -d "${TMPDIR:-/tmp}/sweeper-display.XXXXXX") || exit 1
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/number" 2>"$work/log" &
xvfb=$!
end_display() {
  kill "$xvfb" 2>/dev/null
  wait "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap end_display EXIT
trap 'exit 130' INT TERM
# Xvfb writes the number once it takes connections: a second at most on an
# idle machine; the bound is generous for a busy one.
for _ in $(seq 1 300); do
  if [ -s "$work/number" ]; then break; fi
  if ! kill -0 "$xvfb" 2>/dev/null; then
    echo "virtual-display: Xvfb ended at start: $(tail -n1 "$work/log")" >&2
    exit 1
  fi
  sleep 0.1
done
[ -s "$work/number" ] || { echo "virtual-display: Xvfb gave no display number in 30 s" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/number")"
"$@"
