#!/usr/bin/env bash
# Installs everything the build and the tests need on Debian 12. Idempotent:
# apt-get update runs only when a package is actually missing. Both cross
# compilers and 64-bit Wine go everywhere; 32-bit Wine only where the
# kernel runs 32-bit programs (scripts/arch.sh asks it by running one).
#
# A mirror can be half synced for good: one index fails to download, and
# 32-bit Wine's libraries cannot be matched with their 64-bit twins. So an
# index that fails is a warning, 32-bit Wine is installed on its own after
# everything else, from a private root where the machine's packages cannot
# give it, and when neither can the 32-bit program is an architecture this
# machine cannot run (the reason is kept for arch.sh).
# Nothing here ever removes or downgrades a package.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/arch.sh"

PACKAGES=(
  cmake make gcc python3 zip
  g++-mingw-w64-i686 binutils-mingw-w64-i686
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
  googletest
  wine wine64
  xvfb xdotool x11-utils imagemagick
  fonts-wine fonts-liberation locales
)
WINE32=wine32:i386

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

missing_of() {
  local p
  for p in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      echo "$p"
    fi
  done
}

updated=0
update_lists() {
  [ "$updated" = 0 ] || return 0
  updated=1
  local try out
  for try in 1 2 3; do
    if out=$($SUDO apt-get update -qq 2>&1); then return 0; fi
    [ "$try" = 3 ] || sleep 3
  done
  echo "install-deps: warning: apt-get update failed 3 times, going on with the package lists there are: $(grep -m1 '^E:' <<<"$out" || tail -n1 <<<"$out")"
}

# apt_install PACKAGE...: prints apt's last error line and fails when apt
# cannot install them without removing anything.
apt_install() {
  local out
  if out=$(DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends --no-remove "$@" 2>&1); then
    return 0
  fi
  grep '^E:' <<<"$out" | tail -n1 || tail -n1 <<<"$out"
  return 1
}

mapfile -t missing < <(missing_of "${PACKAGES[@]}")
if [ "${#missing[@]}" -gt 0 ]; then
  echo "install-deps: installing ${missing[*]}"
  update_lists
  if ! reason=$(apt_install "${missing[@]}"); then
    echo "install-deps: could not install ${missing[*]}: $reason" >&2
    exit 1
  fi
fi

# 32-bit Wine: the machine's own package where it can be installed, else
# from a private i386 root (scripts/wine32-root.sh), made with mmdebstrap,
# the one tool that adds to the machine. SWEEPER_WINE32=root makes the root
# even where the machine has its own, to try that way.
wine32_failure=$(sweeper_wine32_failure_file)
if reason=$(sweeper_kernel_unrunnable_x86); then
  echo "install-deps: no 32-bit Wine: $reason"
else
  machine_problem=""
  if [ "${SWEEPER_WINE32:-}" != root ] && [ -n "$(missing_of "$WINE32")" ]; then
    echo "install-deps: installing $WINE32"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
      $SUDO dpkg --add-architecture i386
      updated=0
    fi
    update_lists
    if ! machine_problem=$(apt_install "$WINE32"); then
      machine_problem=${machine_problem:-apt-get failed}
      echo "install-deps: 32-bit Wine could not be installed ($machine_problem): taking it from a private i386 root"
    fi
  fi
  if [ "${SWEEPER_WINE32:-}" = root ] || [ -n "$machine_problem" ]; then
    root_problem=""
    if [ -n "$(missing_of mmdebstrap)" ]; then
      update_lists
      root_problem=$(apt_install mmdebstrap) || root_problem="mmdebstrap could not be installed: ${root_problem:-apt-get failed}"
    fi
    if [ -z "$root_problem" ]; then
      root_problem=$(sweeper_make_wine32_root) && root_problem=""
    fi
    if [ -z "$root_problem" ]; then
      rm -f "$wine32_failure"
      echo "install-deps: 32-bit Wine from the private root $(sweeper_wine32_root_dir)"
    else
      mkdir -p "$(dirname "$wine32_failure")"
      printf '%s\n' "${machine_problem:+$machine_problem; }nor from a private i386 root: $root_problem" >"$wine32_failure"
      echo "install-deps: warning: no 32-bit Wine, so the 32-bit program's tests are skipped: $(cat "$wine32_failure")"
    fi
  else
    rm -f "$wine32_failure"
  fi
fi

# A Japanese locale lets the tests run the program with the double-byte ANSI
# code page 932, where a path byte 0x5C can be half of a character.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
  $SUDO localedef -i ja_JP -c -f UTF-8 ja_JP.UTF-8 || true  # warnings give 1
fi
