#!/usr/bin/env bash
# The install script's decisions on a bad day, with apt-get, dpkg and
# dpkg-query replaced by fakes on PATH: no network, no root, nothing installed.
# A half-synced index is a warning; 32-bit Wine that can be had neither from
# apt nor from a private root makes the 32-bit program unrunnable with both
# reasons; a package every machine needs
# that cannot be had stops the install, named. No call ever removes anything.
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
work=$(mktemp -d "${TMPDIR:-/tmp}/sweeper-deps.XXXXXX")
trap 'rm -rf "$work"' EXIT
fakes="$work/bin"
mkdir -p "$fakes"
export BUILD_ROOT="$work/build" APT_LOG="$work/apt.log" PATH="$fakes:$PATH"
export SWEEPER_CACHE_DIR="$work/cache"
unset SWEEPER_WINE32  # the machine's own 32-bit Wine is tried first, as by default

# apt-get fails as FAKE_APT_FAILS says: "update", or an install naming a package.
cat >"$fakes/apt-get" <<'FAKE'
#!/bin/sh
echo "$*" >>"$APT_LOG"
case " $* " in
  *" update "*) [ "$FAKE_APT_FAILS" = update ] || exit 0
    echo "E: Failed to fetch http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress?" >&2
    echo "E: Some index files failed to download. They have been ignored, or old ones used instead." >&2
    exit 100 ;;
  *" $FAKE_APT_FAILS "*) echo "E: Unable to correct problems, you have held broken packages." >&2; exit 100 ;;
esac
FAKE
printf '#!/bin/sh\nexit 1\n' >"$fakes/dpkg-query"                   # nothing is installed
printf '#!/bin/sh\necho i386\n' >"$fakes/dpkg"
printf '#!/bin/sh\necho ja_JP.utf8\n' >"$fakes/locale"
printf '#!/bin/sh\nexit 0\n' >"$fakes/sleep"
printf '#!/bin/sh\necho "E: mirror unreachable" >&2\nexit 1\n' >"$fakes/mmdebstrap"
printf '#!/bin/sh\nexec "$@"\n' >"$fakes/sudo"
chmod +x "$fakes"/*

failures=0
check() {  # check WHAT COMMAND...: names the case and the failed check
  if ! "${@:2}"; then echo "FAIL [$case] $1 (line ${BASH_LINENO[0]}: ${*:2})"; failures=$((failures + 1)); fi
}
run_case() {  # run_case NAME FAILS: runs the script, keeps its status and output
  case=$1; : >"$APT_LOG"
  status=0
  out=$(FAKE_APT_FAILS=$2 bash "$root/scripts/install-deps.sh" 2>&1) || status=$?
  check "no call removes a package" bash -c '! grep -qE "(^| )(remove|purge|autoremove)( |$)" "$APT_LOG"'
  check "every install forbids removals" bash -c '! grep -w install "$APT_LOG" | grep -qv -- --no-remove'
}
source "$root/scripts/arch.sh"
kernel_runs_x86=1
sweeper_kernel_unrunnable_x86 >/dev/null && kernel_runs_x86=0

run_case "32-bit Wine cannot be had" wine32:i386
check "the install goes on" test "$status" = 0
if [ $kernel_runs_x86 = 1 ]; then
  check "x86 is skipped with apt's reason and the root's" \
    grep -q "^32-bit Wine could not be installed: E: Unable to correct problems.*; nor from a private i386 root: " <<<"$(sweeper_arch_unrunnable x86)"
else
  check "no 32-bit Wine is asked for" bash -c '! grep -q wine32 "$APT_LOG"'
fi

run_case "an index fails" update
check "the install goes on" test "$status" = 0
check "update is tried three times" test "$(grep -cw update "$APT_LOG")" = 3
check "one warning line says so" grep -q "warning: apt-get update failed 3 times.*Mirror sync in progress" <<<"$out"
check "packages are installed after all" grep -q "install .*wine64" "$APT_LOG"
check "a 32-bit Wine installed at last is no longer a reason" test ! -e "$BUILD_ROOT/wine32-install-failure"

run_case "a package every machine needs cannot be had" xvfb
check "the install stops" test "$status" != 0
check "it names the packages and apt's reason" grep -q "could not install .*xvfb.*: E: Unable to correct problems" <<<"$out"
check "32-bit Wine is not tried" bash -c '! grep -q wine32 "$APT_LOG"'

[ $failures = 0 ] || { echo "$failures check(s) failed; the script said:"; echo "$out"; exit 1; }
echo "install-deps: every case passed"
