#!/usr/bin/env bash
# One instance per logon session: later starts end silently with exit code 0,
# a start marked by the restart argument waits once, about a second.
source "$(dirname "$0")/lib.sh"
KEY="{B7188742-5D1C-46DA-9178-43DFBFCC0FA5}"

start_sweeper
[ "$(driver prop "$APP_HWND")" = "0x1111" ] || fail "instance property is not 0x1111"
if driver windows "$APP_PID" | awk '$4 == 1' | grep -q .; then fail "a window of the program is visible"; fi
icons=$(tray_icons)

# second_start SECONDS ARGS...: a start that must end by itself with 0.
second_start() {
  local seconds=$1
  shift
  local started=$SECONDS
  start_program "$SWEEPER_EXE" "$@"
  wait_exit "$seconds" "$LAST_PID"
  [ "$EXIT_CODE" -eq 0 ] || fail "second start ($*) ended with $EXIT_CODE"
  ELAPSED=$((SECONDS - started))
  # The server drops an ended process's windows a moment after it ends.
  wait_until "$T_UI" app_count_is 1 || fail "second start ($*) left an application window"
  [ "$(tray_icons)" -eq "$icons" ] || fail "second start ($*) changed the tray"
}

second_start "$T_EXIT"
log "plain second start ended with 0"

start_ms=$(date +%s%3N)
second_start "$T_EXIT" "$KEY"
waited=$(( $(date +%s%3N) - start_ms ))
log "start with the restart argument ended after ${waited} ms"
[ "$waited" -ge 1000 ] || fail "restart argument did not wait (${waited} ms)"

# Not the restart argument: other case, extra characters, second position.
second_start "$T_EXIT" "$(echo "$KEY" | tr 'A-F' 'a-f')"
second_start "$T_EXIT" "${KEY}x"
second_start "$T_EXIT" other "$KEY"
# Hostile command lines.
second_start "$T_EXIT" "$(head -c 10000 /dev/zero | tr '\0' 'A')"
second_start "$T_EXIT" '"unbalanced' 'quo"tes"' '""'
# shellcheck disable=SC2046
second_start "$T_EXIT" $(seq 1 300)
log "unrecognised and hostile command lines ended with 0"

# The running instance noticed nothing and still answers its menu.
menu_answers "after the second starts"
kill -0 "$SWEEPER_PID" || fail "the running instance ended"
close_program
log "passed"
