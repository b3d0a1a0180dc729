# Shared helpers of the end-to-end tests: sourced by every *.test.sh.
# The program runs for real under Wine on the display run-tests.sh started;
# every wait is bounded and every process a test starts is ended by PID.
# A command that fails ends the test (set -e) and says where (the ERR trap
# below); -E hands the trap on to functions, or a failure inside one would
# end the test without a word.
set -Eeuo pipefail

: "${SWEEPER_SOURCE_DIR:=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}"
# BUILD_DIR names the architecture's build folder (ctest sets it).
source "$SWEEPER_SOURCE_DIR/scripts/wine-env.sh" || exit

SWEEPER_EXE="$BUILD_DIR/Sweeper.exe"
: "${DRIVER_EXE:=$BUILD_DIR/tools/driver.exe}"
TEST_NAME="$(basename "$0" .sh)"
TEST_NAME="${TEST_NAME%.test}"
TEST_NAME="${TEST_NAME%.stress}"
: "${ARTIFACTS:=$BUILD_DIR/artifacts/$TEST_NAME}"
mkdir -p "$ARTIFACTS"
# Why the last driver call failed, when it did (see driver).
DRIVER_FAILURE="$ARTIFACTS/driver-failure.txt"
rm -f "$DRIVER_FAILURE"

# ---- How long a wait may last. A wait ends as soon as its condition holds,
# so a generous bound costs nothing when the program works; the bounds are
# for a machine that is busy with other work. SWEEPER_TEST_TIME_SCALE
# multiplies them all on a slower one.
TIME_SCALE=${SWEEPER_TEST_TIME_SCALE:-1}
scaled() { awk -v s="$1" -v k="$TIME_SCALE" 'BEGIN { t = s * k; printf "%d\n", (t == int(t)) ? t : int(t) + 1 }'; }
T_START=$(scaled 30)  # Wine starts a program: its windows and tray icon
T_UI=$(scaled 10)     # a window, menu, balloon or icon answers what was done to it
T_EXIT=$(scaled 15)   # a program that was told to end has ended
T_SETTLE=$(scaled 2)  # something that must not happen has had its chance to
# A sweep fills its memory at 0.4 GB/s or more on an idle machine here, and
# at a quarter of that on a busy one: its bound assumes far less still.
SWEEP_SLOW_MB_PER_S=30
# sweep_seconds MB: the bound for a sweep of MB megabytes, start to report.
sweep_seconds() { scaled $((10 + $1 / SWEEP_SLOW_MB_PER_S)); }
# sweep_mb PERCENT: the size of a sweep of that setting. The 32-bit program
# sees 2 GiB under Wine; the 64-bit one the machine's real memory.
sweep_mb() {
  if [ "$SWEEPER_ARCH" = x86 ]; then
    echo $((2048 * $1 / 100))
  else
    awk -v p="$1" '/^MemTotal:/ { printf "%d\n", $2 / 1024 * p / 100 }' /proc/meminfo
  fi
}
# settle: for a check that something did not happen, the time it had to.
settle() { sleep "$T_SETTLE"; }

# ---- Failures.
log() { echo "[$TEST_NAME] $*"; }

screenshot() {  # screenshot NAME: the whole virtual screen
  timeout 20 import -window root "$ARTIFACTS/$1.png" 2>/dev/null || true
  echo "$ARTIFACTS/$1.png"
}

fail() {
  echo "[$TEST_NAME] FAIL: $*" >&2
  echo "[$TEST_NAME]   at $(call_stack 1), screenshot: $(screenshot failure)" >&2
  exit 1
}

# call_stack SKIP: "file:line <- file:line ..." of the callers, innermost
# first, leaving out the SKIP innermost frames.
call_stack() {
  local i where=""
  for ((i = $1 + 1; i < ${#BASH_SOURCE[@]}; i++)); do
    where+="${where:+ <- }$(basename "${BASH_SOURCE[i]}"):${BASH_LINENO[i - 1]}"
  done
  echo "$where"
}

# A command of the script itself failed. Inside $(...) and pipes nothing is
# said: the command of the script that ran them fails in turn and tells.
on_error() {
  local status=$1 command=$2
  [ "$BASH_SUBSHELL" -eq 0 ] || return 0
  echo "[$TEST_NAME] FAIL: command exited with $status: $command" >&2
  [ ! -s "$DRIVER_FAILURE" ] || echo "[$TEST_NAME]   the last driver call failed: $(cat "$DRIVER_FAILURE")" >&2
  echo "[$TEST_NAME]   at $(call_stack 1), screenshot: $(screenshot failure)" >&2
}
trap 'on_error $? "$BASH_COMMAND"' ERR

# ---- Processes.
STARTED_PIDS=()
EXIT_HOOKS=()
# at_exit COMMAND: run when the test ends, however it ends, last added first;
# before the processes it started are ended.
at_exit() { EXIT_HOOKS+=("$*"); }

# Ends every process the test started: frozen ones are let go first, and
# one that does not end when asked is killed.
stop_started() {
  local pid deadline
  for pid in "${STARTED_PIDS[@]}"; do
    kill -0 "$pid" 2>/dev/null || continue
    kill "$pid" 2>/dev/null || true
    kill -CONT "$pid" 2>/dev/null || true
  done
  deadline=$((SECONDS + T_EXIT))
  for pid in "${STARTED_PIDS[@]}"; do
    while kill -0 "$pid" 2>/dev/null && [ "$SECONDS" -lt "$deadline" ]; do sleep 0.1; done
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
}
run_exit_hooks() {
  local status=$? i
  trap - ERR
  for ((i = ${#EXIT_HOOKS[@]} - 1; i >= 0; i--)); do eval "${EXIT_HOOKS[i]}" || true; done
  stop_started
  exit "$status"
}
trap run_exit_hooks EXIT

# Starts a Windows program in the background; sets LAST_PID.
start_program() {
  wine "$@" >/dev/null 2>&1 &
  LAST_PID=$!
  STARTED_PIDS+=("$LAST_PID")
}

# wait_exit SECONDS PID: waits for the process to end and sets EXIT_CODE;
# fails the test when it is still running after the time. (Not to be called
# in $(...): a subshell cannot wait for its parent's children.)
wait_exit() {
  local seconds=$1 pid=$2 deadline=$((SECONDS + $1))
  while kill -0 "$pid" 2>/dev/null; do
    if [ "$SECONDS" -ge "$deadline" ]; then fail "process $pid still running after ${seconds}s"; fi
    sleep 0.1
  done
  EXIT_CODE=0
  wait "$pid" || EXIT_CODE=$?
}

# wait_until SECONDS COMMAND...: true as soon as the command succeeds.
wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@" >/dev/null 2>&1; do
    if [ "$SECONDS" -ge "$deadline" ]; then return 1; fi
    sleep 0.1
  done
}

# ---- The driver (tools/driver.cpp): messages go to it by name (WM_CLOSE) or
# number. Its console output loses Wine's carriage returns. When it fails, why
# is kept for the failure report: the driver's own reason (nothing found, bad
# usage), or Wine's words when Wine did not run it at all.
driver() {
  local errors="$ARTIFACTS/driver-stderr.$BASHPID" status=0
  # Caught here, not by the ERR trap: the reason is written down first, and
  # the caller's line is the one that fails and tells.
  wine "$DRIVER_EXE" "$@" 2>"$errors" | tr -d '\r' || status=${PIPESTATUS[0]}
  if [ "$status" -eq 0 ]; then
    rm -f "$DRIVER_FAILURE"
  elif grep -q '^driver: ' "$errors"; then
    echo "driver $*: $(grep '^driver: ' "$errors" | head -n1 | cut -c9- | tr -d '\r')" >"$DRIVER_FAILURE"
  else
    echo "driver $*: Wine did not run it (exit $status): $(tail -n3 "$errors" | tr -d '\r' | tr '\n' ' ')" >"$DRIVER_FAILURE"
  fi
  rm -f "$errors"
  return "$status"
}

# ---- Wine's tray. An icon of our own stays in it (see tools/trayhold.cpp),
# so that removing the program's icon never waits. run-tests.sh starts one for
# the whole run; a script run on its own may start one itself.
start_trayhold() {
  start_program "$BUILD_DIR/tools/trayhold.exe"
  TRAYHOLD_PID=$LAST_PID
  wait_until "$T_START" tray_icons_at_least 1 || fail "trayhold icon did not appear"
}

tray_icons() { driver tray-icons; }
tray_icons_at_least() { [ "$(tray_icons)" -ge "$1" ]; }
tray_icons_equal() { [ "$(tray_icons)" -eq "$1" ]; }

# ---- The program.
# Starts Sweeper (arguments are passed on) and waits for its window and
# icon. Sets SWEEPER_PID (the Wine process), APP_HWND, APP_PID (the Windows
# process id), ICONS_BEFORE and SWEEPER_ICON (its icon window in Wine's tray).
start_sweeper() {
  local before app
  before=$(driver tray-list)
  ICONS_BEFORE=$(echo -n "$before" | grep -c . || true)
  start_program "$SWEEPER_EXE" "$@"
  SWEEPER_PID=$LAST_PID
  wait_until "$T_START" driver app || fail "no application window after start"
  wait_until "$T_START" tray_icons_at_least $((ICONS_BEFORE + 1)) || fail "no tray icon after start"
  take_app
  TRAY_ICONS_BEFORE=$before
  find_program_icon
}
# start_sweeper with Wine's heap checking: freed blocks are poisoned, so a
# use of a freed object crashes the program instead of passing silently.
start_sweeper_heap_checked() { WINEDEBUG=warn+heap start_sweeper "$@"; }

# take_app [OLD_PID]: APP_HWND and APP_PID name the application window (of
# another process than OLD_PID).
take_app() {
  local app
  app=$(driver app | awk -v old="${1:-}" '$2 != old' | head -n1)
  [ -n "$app" ] || fail "no application window"
  APP_HWND=${app%% *}
  APP_PID=$(echo "$app" | cut -d' ' -f2)
}

# start_copy DIR [NAME]: starts a copy of the program placed in DIR (as
# NAME.exe, Sweeper.exe unless named).
start_copy() {
  mkdir -p "$1"
  cp "$BUILD_DIR/Sweeper.exe" "$1/${2:-Sweeper}.exe"
  SWEEPER_EXE="$1/${2:-Sweeper}.exe"
  start_sweeper
}

# reboot_through_menu: "Reboot This Program..." ends this instance with 0
# and starts a new copy, which takes its place (APP_HWND, APP_PID and
# SWEEPER_ICON name it; OLD_APP_PID the ended one). The copy is not this
# test's child: close_other_instance ends it.
reboot_through_menu() {
  OLD_APP_PID=$APP_PID
  open_tray_menu
  menu_key 0x52  # "R": Reboot This Program...
  if [ -n "$SWEEPER_PID" ]; then
    wait_exit "$T_EXIT" "$SWEEPER_PID"
    [ "$EXIT_CODE" -eq 0 ] || fail "the old instance ended with $EXIT_CODE"
    SWEEPER_PID=""
  fi
  wait_until "$T_START" new_instance "$OLD_APP_PID" || fail "no new instance after the restart"
  # The server drops the old instance's windows a moment after it ended.
  wait_until "$T_UI" app_count_is 1 || fail "$(app_count) instances after the restart"
  wait_until "$T_UI" tray_icons_equal $((ICONS_BEFORE + 1)) || fail "$(tray_icons) tray icons after the restart"
  take_app "$OLD_APP_PID"
  [ "$(driver prop "$APP_HWND")" = "0x1111" ] || fail "the new instance has no property"
  find_program_icon
}

# Sets SWEEPER_ICON to the program's icon window: the one that was not in
# Wine's tray before the program started (after a restart Wine may give the
# new icon another window).
find_program_icon() {
  local new
  new=$(comm -13 <(echo "$TRAY_ICONS_BEFORE" | sort) <(driver tray-list | sort))
  [ "$(echo "$new" | grep -c .)" -eq 1 ] || fail "cannot tell the program's tray icon among: $(echo $new)"
  SWEEPER_ICON=$new
}

no_application_window() { ! driver app >/dev/null; }
app_count() { driver app | grep -c . || true; }
app_count_is() { [ "$(app_count)" -eq "$1" ]; }
# new_instance PID: an application window of another process than PID.
new_instance() { driver app | awk -v old="$1" '$2 != old' | grep -q .; }
main_form() { driver find TDummyMainForm "$APP_PID" | head -n1 | cut -d' ' -f1; }
tray_window() { driver find TSweeperHiddenWindow "$APP_PID" | cut -d' ' -f1; }  # the icon's clicks go there

# expect_clean_end WHAT: the program ended with 0 and left nothing behind.
expect_clean_end() {
  wait_exit "$T_EXIT" "$SWEEPER_PID"
  [ "$EXIT_CODE" -eq 0 ] || fail "$1 ended the program with $EXIT_CODE"
  wait_until "$T_UI" tray_icons_equal "$ICONS_BEFORE" || fail "$1 left the tray icon behind"
  wait_until "$T_UI" no_application_window || fail "$1 left the instance property behind"
  if driver mutex; then fail "$1 left the single-instance mutex behind"; fi
}
# close_program: a close request to the application window ends it cleanly.
close_program() {
  driver post "$APP_HWND" WM_CLOSE 0 0 >/dev/null
  expect_clean_end "WM_CLOSE"
}
# close_other_instance: a copy that the program started (not this test's
# child) is closed too, or ended by its Windows process id.
close_other_instance() {
  driver post "$APP_HWND" WM_CLOSE 0 0 >/dev/null
  wait_until "$T_EXIT" app_count_is 0 || {
    driver terminate "$APP_PID" >/dev/null
    fail "the new instance did not close"
  }
}

# The user's Startup folder in the prefix, as a Linux path (Wine spells it
# "StartUp"), or nothing. A test that moves it away (STARTUP_AWAY) and was
# killed before it put it back is mended here, for every later test.
STARTUP_AWAY=.sweeper-away
startup_folder() {
  local away
  restore_startup_value
  while IFS= read -r away; do
    rm -rf "${away%"$STARTUP_AWAY"}"
    mv "$away" "${away%"$STARTUP_AWAY"}"
  done < <(find "$WINEPREFIX/drive_c/users/$(whoami)" -maxdepth 7 -ipath "*/Start Menu/Programs/Startup$STARTUP_AWAY")
  find "$WINEPREFIX/drive_c/users/$(whoami)" -maxdepth 7 -type d -ipath "*/Start Menu/Programs/Startup" | head -n1
}

# point_startup_at WINDOWS_PATH: the user's Startup folder is there from now
# on, as Windows keeps it (the shell's folder list in the registry), until
# restore_startup_value. The value it replaces is kept in the prefix, so that
# the next test's startup_folder puts it back after a killed run.
SHELL_FOLDERS='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders'
STARTUP_VALUE_SAVED="$WINEPREFIX/sweeper-saved-startup-value"
point_startup_at() {
  restore_startup_value
  { wine reg query "$SHELL_FOLDERS" /v Startup 2>/dev/null || true; } | tr -d '\r' |
    sed -n 's/^ *Startup *REG_EXPAND_SZ *//p' >"$STARTUP_VALUE_SAVED"
  wine reg add "$SHELL_FOLDERS" /v Startup /t REG_EXPAND_SZ /d "$1" /f >/dev/null 2>&1 ||
    fail "cannot move the Startup folder to $1"
}
restore_startup_value() {
  [ -f "$STARTUP_VALUE_SAVED" ] || return 0
  if [ -s "$STARTUP_VALUE_SAVED" ]; then
    wine reg add "$SHELL_FOLDERS" /v Startup /t REG_EXPAND_SZ /d "$(cat "$STARTUP_VALUE_SAVED")" /f >/dev/null 2>&1
  else
    wine reg delete "$SHELL_FOLDERS" /v Startup /f >/dev/null 2>&1 || true
  fi
  rm -f "$STARTUP_VALUE_SAVED"
}

# ---- The tray menu.
# Opens the tray menu with a right click on the program's icon.
open_tray_menu() {
  driver tray-click "$SWEEPER_ICON" right >/dev/null || fail "no tray icon to click"
  wait_until "$T_UI" driver menu || fail "tray menu did not open"
}
# menu_answers WHEN: the tray menu opens, and Escape closes it.
menu_answers() {
  open_tray_menu
  menu_key "$VK_ESCAPE"
  wait_until "$T_UI" no_menu_open || fail "menu did not close ($1)"
}
menus_open_at_least() { [ "$(driver menu | grep -c .)" -ge "$1" ]; }
no_menu_open() { ! driver menu >/dev/null; }

# Sends a key to the open menu (Wine's menu loop reads the thread's queue).
menu_key() {
  local menu
  menu=$(driver menu | head -n1 | cut -d' ' -f1) || fail "no open menu for key $1"
  driver key "$menu" "$1" >/dev/null
}

VK_RETURN=0x0D
VK_ESCAPE=0x1B
VK_RIGHT=0x27
VK_DOWN=0x28

# exit_through_menu WHEN: ends the program with its menu's Exit, as a user
# would; it must end with 0 and leave nothing behind.
exit_through_menu() {
  open_tray_menu
  menu_key 0x45  # "E": Exit
  expect_clean_end "Exit $1"
}

# ---- The information window.
info_forms() { driver find TInfoForm "$APP_PID"; }
info_form_count_is() { [ "$(info_forms | grep -c . || true)" -eq "$1" ]; }
no_info_form() { ! info_forms >/dev/null; }
# The topmost usable information window: visible and enabled.
info_form() { info_forms | awk '$4 == 1 && $6 == 1' | head -n1 | cut -d' ' -f1; }
info_form_ready() { [ -n "$(info_form)" ] && driver children "$(info_form)" | grep -q '"free physical memory:'; }

# Opens "About This Program..." and waits for its window with its labels;
# sets INFO_FORM.
open_about() {
  local before
  before=$(info_forms | grep -c . || true)
  open_tray_menu
  menu_key 0x41  # "A": About This Program...
  wait_until "$T_UI" info_form_count_is $((before + 1)) || fail "About did not open an information window"
  wait_until "$T_UI" info_form_ready || fail "the information window has no labels"
  INFO_FORM=$(info_form)
}
# close_about: a key closes the information window.
close_about() {
  driver key "$INFO_FORM" "$VK_ESCAPE" >/dev/null
  wait_until "$T_UI" no_info_form || fail "the information window did not close"
}
# info_label TEXT: the label of the open information window showing TEXT.
info_label() { driver children "$INFO_FORM" | grep -F "\"$1\"" | head -n1 | cut -d' ' -f1; }

# click_label HWND: a press and a release of the left button on a label of
# the information window, as a hand would make them.
click_label() {
  driver post "$1" WM_LBUTTONDOWN 1 0 >/dev/null
  driver post "$1" WM_LBUTTONUP 0 0 >/dev/null
}

# ---- Error reports (message boxes of the program).
error_reports() { driver find "#32770" "$APP_PID" | grep -c . || true; }
error_reports_are() { [ "$(error_reports)" -eq "$1" ]; }
# wait_error_report WHEN: a report comes up, and the program has had its
# chance to do more; sets REPORT (its driver line) and REPORT_TEXT (its first line).
wait_error_report() {
  wait_until "$T_UI" error_reports_are 1 || fail "no error report ($1)"
  settle
  REPORT=$(driver find "#32770" "$APP_PID" | head -n1)
  REPORT_TEXT=$(driver children "${REPORT%% *}" | awk '$3 == "Static"' | sed 's/^[^"]*"//; s/"$//' | grep . | head -n1)
}
# close_error_report WHEN: logs its text and a screenshot; OK closes it.
close_error_report() {
  log "$1: \"$REPORT_TEXT\" $(screenshot "error-$1")"
  driver post "${REPORT%% *}" WM_COMMAND 1 0 >/dev/null  # IDOK
  wait_until "$T_UI" error_reports_are 0 || fail "the error report did not close ($1)"
}

# ---- Balloons and sweeps.
# balloon_shows PATTERN: a visible tooltip (Wine's balloon) has a line
# matching the extended regular expression.
balloon_shows() { driver tooltips 2>/dev/null | grep -Eq "$1"; }
# The completion balloon is up (the start balloon's "Sweep Setting" line is
# not the report).
sweep_reported() { balloon_shows '^Sweep (Complete|Incomplete: .* swept|Failed)$'; }
# The balloon's text as one line, for messages.
balloon_text() { driver tooltips | tr '\n' '|' || true; }

# sweep_setting CAPTION: "KEY PERCENT" of the sweep setting the menu shows as
# CAPTION ("10%"): its access key and its share, from the settings' table
# the menu is made from. Prints nothing for a caption no setting has.
sweep_setting() {
  local percent caption key
  grep -oE '\{[0-9]+, "[^"]*", (true|false)\}' "$SWEEPER_SOURCE_DIR/app/SweepSettings.h" |
    sed -E 's/\{([0-9]+), "([^"]*)".*/\1 \2/' |
    while read -r percent caption; do
      [ "${caption//&/}" = "$1" ] || continue
      key=${caption#*&}
      key=${key:0:1}
      printf '0x%X %s\n' "'${key^^}" "$percent"  # a letter's key code is its capital's
    done
}

# Chooses the sweep setting shown as CAPTION ("10%") from the tray menu.
# Sets SWEEP_MB, the size it sweeps.
choose_sweep() {
  local key percent
  read -r key percent < <(sweep_setting "$1") || fail "no sweep setting \"$1\" in the menu's table"
  open_tray_menu
  menu_key 0x53  # "S": the Sweeeeep submenu
  wait_until "$T_UI" menus_open_at_least 2 || fail "submenu did not open"
  menu_key "$key"
  SWEEP_MB=$(sweep_mb "$percent")
}

# A sweep long enough to act during it (the tests freeze the program in its
# middle, below). The 32-bit program sweeps 40% of the 2 GiB it sees. The
# 64-bit one sees the machine's real memory, and a machine without swap kills
# processes rather than page them out, so it never sweeps more than 10% here.
choose_long_sweep() {
  if [ "$SWEEPER_ARCH" = x86 ]; then choose_sweep 40%; else choose_sweep 10%; fi
}

# wait_sweep_reported PATTERN WHAT: the sweep last chosen ends with a
# balloon matching PATTERN within its size's bound.
wait_sweep_reported() {
  wait_until "$(sweep_seconds "$SWEEP_MB")" balloon_shows "$1" ||
    fail "$2: no report of the ${SWEEP_MB} MB sweep within $(sweep_seconds "$SWEEP_MB") s; balloon: $(balloon_text)"
}

# The program's resident and peak resident memory, in KB.
resident_kb() { awk '{ print $2 * 4 }' "/proc/$SWEEPER_PID/statm"; }
peak_resident_kb() { awk '/^VmHWM:/ { print $2 }' "/proc/$SWEEPER_PID/status"; }
# sweep_filling BASELINE_KB: the worker has filled 32 MiB over the baseline,
# which is after the start balloon was asked for and before the sweep can end.
sweep_filling() { [ "$(resident_kb)" -gt $(($1 + 32768)) ]; }
wait_sweep_filling() {
  wait_until "$T_UI" sweep_filling "$1" || fail "the sweep did not start filling"
}

# freeze_in_long_sweep: chooses a long sweep and freezes the program in its
# middle; sets BASELINE_KB (resident before it) and SWEEP_MB (its size, as
# the start balloon says).
freeze_in_long_sweep() {
  BASELINE_KB=$(resident_kb)
  choose_long_sweep
  freeze_in_sweep "$BASELINE_KB"
  SWEEP_MB=$(start_balloon_mb)
  [ -n "$SWEEP_MB" ] || fail "no sweep size in the start balloon"
}

# freeze_in_sweep BASELINE_KB: freezes the program (SIGSTOP) as soon as the
# sweep's worker fills. Messages sent to it meanwhile wait, and are handled in
# the middle of the sweep once resume_program lets it go on. (A frozen
# program is let go before it is ended, however the test ends.)
freeze_in_sweep() {
  local deadline=$((SECONDS + T_UI))
  until sweep_filling "$1"; do
    [ "$SECONDS" -lt "$deadline" ] || fail "the sweep did not start filling"
    sleep 0.02
  done
  kill -STOP "$SWEEPER_PID"
}
resume_program() { kill -CONT "$SWEEPER_PID"; }

# The sweep size in MB that the start balloon names ("Sweep Setting: 40%
# (819.00MB)"); Wine draws the balloon of a frozen program after 2 s.
start_balloon_mb() {
  wait_until "$T_UI" balloon_shows '^Sweep Setting: ' || fail "no start balloon"
  driver tooltips | sed -nE 's/^Sweep Setting: [0-9]+% \(([0-9,]+)\.00MB\)$/\1/p' | tr -d ','
}

# send_queued FILE HWND MSG WPARAM LPARAM: sends a message from another
# process and returns once it is queued, even to a frozen program. FILE gets
# "result N" when the program has answered (see answer_in).
send_queued() {
  local file=$1
  shift
  wine "$DRIVER_EXE" send-queued "$@" 2>/dev/null >"$file" &
  STARTED_PIDS+=("$!")
  wait_until "$T_START" grep -q '^queued' "$file" || fail "could not send $2 to $1"
}
answered() { grep -q '^result' "$1"; }
answer_in() { sed -nE 's/^result ([0-9]+).*/\1/p' "$1"; }

# ---- Shortcuts and paths.
# expect_startup_shortcut LNK [KEY]: the information window's Startup link
# writes LNK, which the shell's link object reads back as the program (its KEY
# line: "target", Wine's ANSI copy, unless "item", the shell's own) with the
# startup argument, in its folder. Sets SHORTCUT and EXE_WINDOWS.
expect_startup_shortcut() {
  click_label "$(info_label 'Create Shortcut into "Startup"')"
  wait_until "$T_UI" test -f "$1" || fail "no $1: $(ls "$(dirname "$1")")"
  SHORTCUT=$(driver shortcut "$(wine winepath -w "$1" 2>/dev/null)") || fail "cannot read $1 back"
  EXE_WINDOWS=$(wine winepath -w "$SWEEPER_EXE" 2>/dev/null)
  echo "$SHORTCUT" | grep -qxF "${2:-target}=$EXE_WINDOWS" || fail "$1, ${2:-target}: $SHORTCUT"
  echo "$SHORTCUT" | grep -qx "arguments=/starup" || fail "$1, arguments: $SHORTCUT"
  echo "$SHORTCUT" | grep -qxF "directory=${EXE_WINDOWS%\\*}" || fail "$1, directory: $SHORTCUT"
}

# mark_shortcuts, then new_shortcuts: the shortcuts written in the profile
# since the mark.
mark_shortcuts() { touch "$ARTIFACTS/shortcut-mark"; }
new_shortcuts() {
  find -L "$WINEPREFIX/drive_c/users/$(whoami)" -maxdepth 7 -name '*.lnk' -newer "$ARTIFACTS/shortcut-mark" 2>/dev/null || true
}

# deep_folder BASE CHARS: makes and prints a folder below BASE whose Windows
# path is at least CHARS characters long (MAX_PATH is 260).
deep_folder() {
  local deep="$1/deep" windows
  windows="$(wine winepath -w "$1" 2>/dev/null)\\deep"
  while [ ${#windows} -lt "$2" ]; do
    deep="$deep/folder-of-a-deep-tree"
    windows="$windows\\folder-of-a-deep-tree"
  done
  mkdir -p "$deep"
  echo "$deep"
}
