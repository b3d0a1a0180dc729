#!/usr/bin/env bash
# Every message number below WM_USER, and the program's private and
# registered ones, with random parameters, sent and posted from another
# process to every window of the program: idle, with the information window
# open (its controls included) and in the middle of a sweep. Afterwards the
# program answers its icon, one instance runs, no shortcut was written, no
# process was started, no error report is up and no window of the program
# shows. STORM_SEED repeats a run.
source "$(dirname "$0")/lib.sh"

STORM_EXE="$BUILD_DIR/tools/storm.exe"
seed=${STORM_SEED:-$(date +%s)}
log "seed $seed (STORM_SEED=$seed repeats this run)"

storm() { wine "$STORM_EXE" "$APP_PID" "$@" 2>/dev/null | tr -d '\r'; return "${PIPESTATUS[0]}"; }

start_sweeper
mark_shortcuts
wine "$DRIVER_EXE" watch-processes 3600000 >"$ARTIFACTS/processes.txt" 2>/dev/null &
STARTED_PIDS+=("$!")
settle  # the watcher has taken its first look at the processes

storm "$seed" 0 || fail "the program had no windows to send to (idle)"
kill -0 "$SWEEPER_PID" 2>/dev/null || fail "the messages ended the idle program"

open_about
[ "$(driver children "$INFO_FORM" | grep -c TSweeperLabel)" -eq 11 ] || fail "the information window lacks its labels"
storm $((seed + 1)) 0 || fail "the program had no windows to send to (information window)"
kill -0 "$SWEEPER_PID" 2>/dev/null || fail "the messages ended the program with its information window open"
if ! no_info_form; then close_about; fi

started=$(date +%s%3N)
choose_long_sweep
storm $((seed + 2)) 3 || fail "the program had no windows to send to (sweep)"
wait_sweep_reported '^Sweep (Complete|Incomplete: .* swept|Failed)$' "the sweep in the storm"
log "the sweep's report came $(( $(date +%s%3N) - started )) ms after it was chosen"
kill -0 "$SWEEPER_PID" 2>/dev/null || fail "the messages ended the program in the middle of a sweep"

settle
[ "$(driver app | grep -c .)" -eq 1 ] || fail "$(driver app | grep -c .) instances run: $(driver app | cut -c1-80)"
driver mutex || fail "the single-instance mutex is gone"
if driver find "#32770" "$APP_PID" >/dev/null; then fail "an error report is up: $(driver find '#32770' "$APP_PID")"; fi
[ -z "$(new_shortcuts)" ] || fail "shortcuts were written: $(new_shortcuts)"
[ ! -s "$ARTIFACTS/processes.txt" ] || fail "processes were started: $(tr -d '\r' <"$ARTIFACTS/processes.txt" | tr '\n' ' ')"
shown=$(driver windows "$APP_PID" | awk '$4 == 1')
[ -z "$shown" ] || fail "the messages showed windows: $shown"
exit_through_menu "after the messages"
log "passed"
