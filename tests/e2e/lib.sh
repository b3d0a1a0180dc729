# Shared helpers of the end-to-end tests: sourced by every *.test.sh.
# The program runs for real under Wine on the display run-tests.sh started;
# every wait is bounded and every process a test starts is ended by PID.
set -euo pipefail

: "${SWEEPER_SOURCE_DIR:=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}"
# BUILD_DIR names the architecture's build folder (ctest sets it).
source "$SWEEPER_SOURCE_DIR/scripts/wine-env.sh"

SWEEPER_EXE="$BUILD_DIR/Sweeper.exe"
DRIVER_EXE="$BUILD_DIR/tools/driver.exe"
TEST_NAME="$(basename "$0" .sh)"
TEST_NAME="${TEST_NAME%.test}"
TEST_NAME="${TEST_NAME%.stress}"
: "${ARTIFACTS:=$BUILD_DIR/artifacts/$TEST_NAME}"
mkdir -p "$ARTIFACTS"

STARTED_PIDS=()

stop_started() {
  local pid
  for pid in "${STARTED_PIDS[@]}"; do
    if kill -0 "$pid" 2>/dev/null; then kill "$pid" 2>/dev/null || true; fi
  done
  for pid in "${STARTED_PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
}
trap stop_started EXIT

log() { echo "[$TEST_NAME] $*"; }

screenshot() {  # screenshot NAME: the whole virtual screen
  import -window root "$ARTIFACTS/$1.png" 2>/dev/null || true
  echo "$ARTIFACTS/$1.png"
}

fail() {
  screenshot failure >/dev/null
  echo "[$TEST_NAME] FAIL: $*" >&2
  exit 1
}

# Runs the driver; its console output loses Wine's carriage returns.
driver() { wine "$DRIVER_EXE" "$@" 2>/dev/null | tr -d '\r'; return "${PIPESTATUS[0]}"; }

# wait_until SECONDS COMMAND...: true as soon as the command succeeds.
wait_until() {
  local seconds=$1
  shift
  local deadline=$((SECONDS + seconds))
  until "$@" >/dev/null 2>&1; do
    if [ "$SECONDS" -ge "$deadline" ]; then return 1; fi
    sleep 0.1
  done
}

# Starts a Windows program in the background; sets LAST_PID.
start_program() {
  wine "$@" >/dev/null 2>&1 &
  LAST_PID=$!
  STARTED_PIDS+=("$LAST_PID")
}

# Keeps an icon of our own in Wine's tray (see tools/trayhold.cpp), so that
# removing the program's icon never waits. run-tests.sh starts one for the
# whole run; a script run on its own may start one itself.
start_trayhold() {
  start_program "$BUILD_DIR/tools/trayhold.exe"
  TRAYHOLD_PID=$LAST_PID
  wait_until 10 tray_icons_at_least 1 || fail "trayhold icon did not appear"
}

tray_icons() { driver tray-icons; }
tray_icons_at_least() { [ "$(tray_icons)" -ge "$1" ]; }
tray_icons_equal() { [ "$(tray_icons)" -eq "$1" ]; }

# Starts Sweeper (arguments are passed on) and waits for its window and
# icon. Sets SWEEPER_PID (the Wine process), APP_HWND, APP_PID (the Windows
# process id), ICONS_BEFORE and SWEEPER_ICON (its icon window in Wine's tray).
start_sweeper() {
  local before
  before=$(driver tray-list)
  ICONS_BEFORE=$(echo -n "$before" | grep -c . || true)
  start_program "$SWEEPER_EXE" "$@"
  SWEEPER_PID=$LAST_PID
  wait_until 15 driver app || fail "no application window after start"
  wait_until 10 tray_icons_at_least $((ICONS_BEFORE + 1)) || fail "no tray icon after start"
  APP_HWND=$(driver app | head -n1 | cut -d' ' -f1)
  APP_PID=$(driver app | head -n1 | cut -d' ' -f2)
  TRAY_ICONS_BEFORE=$before
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

# The user's Startup folder in the prefix, as a Linux path (Wine spells it
# "StartUp"), or nothing.
startup_folder() {
  find "$WINEPREFIX/drive_c/users/$(whoami)" -maxdepth 7 -type d -ipath "*/Start Menu/Programs/Startup" | head -n1
}

# Opens the tray menu with a right click on the program's icon.
open_tray_menu() {
  driver tray-click "$SWEEPER_ICON" right >/dev/null || fail "no tray icon to click"
  wait_until 10 driver menu || fail "tray menu did not open"
}

# click_label HWND: a press and a release of the left button on a label of
# the information window, as a hand would make them.
click_label() {
  driver post "$1" 0x201 1 0 >/dev/null  # WM_LBUTTONDOWN
  driver post "$1" 0x202 0 0 >/dev/null  # WM_LBUTTONUP
}

menus_open_at_least() { [ "$(driver menu | grep -c .)" -ge "$1" ]; }
no_menu_open() { ! driver menu >/dev/null; }
# balloon_shows PATTERN: a visible tooltip (Wine's balloon) has a line
# matching the extended regular expression.
balloon_shows() { driver tooltips 2>/dev/null | grep -Eq "$1"; }
# The completion balloon is up (the start balloon's "Sweep Setting" line is
# not the report).
sweep_reported() { balloon_shows '^Sweep (Complete|Incomplete: .* swept|Failed)$'; }

# Chooses a sweep setting from the tray menu: KEY is the setting's digit key
# (0x31 for "10%" ... 0x39 for "90%").
choose_sweep() {
  open_tray_menu
  menu_key 0x53  # "S": the Sweeeeep submenu
  wait_until 5 menus_open_at_least 2 || fail "submenu did not open"
  menu_key "$1"
}

# A sweep long enough to act during it (the tests freeze the program in its
# middle, below). The 32-bit program sweeps 40% of the 2 GiB it sees. The
# 64-bit one sees the machine's real memory, and a machine without swap kills
# processes rather than page them out, so it never sweeps more than 10% here.
choose_long_sweep() {
  if [ "$SWEEPER_ARCH" = x86 ]; then choose_sweep 0x34; else choose_sweep 0x31; fi
}

# The program's resident and peak resident memory, in KB.
resident_kb() { awk '{ print $2 * 4 }' "/proc/$SWEEPER_PID/statm"; }
peak_resident_kb() { awk '/^VmHWM:/ { print $2 }' "/proc/$SWEEPER_PID/status"; }

# freeze_in_sweep BASELINE_KB: freezes the program (SIGSTOP) as soon as its
# memory shows the sweep's worker filling (32 MiB over the baseline), which
# is after the start balloon was asked for and before the sweep can end.
# Messages sent to it meanwhile wait, and are handled in the middle of the
# sweep once resume_program lets it go on.
freeze_in_sweep() {
  local deadline=$((SECONDS + 10))
  until [ "$(resident_kb)" -gt $(($1 + 32768)) ]; do
    [ "$SECONDS" -lt "$deadline" ] || fail "the sweep did not start within 10 s"
  done
  kill -STOP "$SWEEPER_PID"
  # Resumed on every way out, so that it can be ended.
  trap 'kill -CONT "$SWEEPER_PID" 2>/dev/null || true; stop_started' EXIT
}
resume_program() { kill -CONT "$SWEEPER_PID"; }

# The sweep size in MB that the start balloon names ("Sweep Setting: 40%
# (819.00MB)"); Wine draws the balloon of a frozen program after 2 s.
start_balloon_mb() {
  wait_until 10 balloon_shows '^Sweep Setting: ' || fail "no start balloon"
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
  wait_until 15 grep -q '^queued' "$file" || fail "could not send $2 to $1"
}
answered() { grep -q '^result' "$1"; }
answer_in() { sed -nE 's/^result ([0-9]+).*/\1/p' "$1"; }

# Sends a key to the open menu (Wine's menu loop reads the thread's queue).
menu_key() {
  local menu
  menu=$(driver menu | head -n1 | cut -d' ' -f1)
  [ -n "$menu" ] || fail "no open menu for key $1"
  driver key "$menu" "$1" >/dev/null
}

VK_RETURN=0x0D
VK_ESCAPE=0x1B
VK_RIGHT=0x27
VK_DOWN=0x28

# exit_through_menu WHEN: ends the program with its menu's Exit, as a user
# would; it must end with 0 and take its icon with it.
exit_through_menu() {
  open_tray_menu
  menu_key 0x45  # "E": Exit
  wait_exit 10 "$SWEEPER_PID"
  [ "$EXIT_CODE" -eq 0 ] || fail "Exit $1 ended the program with $EXIT_CODE"
  wait_until 5 tray_icons_equal "$ICONS_BEFORE" || fail "Exit $1 left the icon behind"
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
