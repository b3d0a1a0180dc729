#!/usr/bin/env bash
# Installs everything the build and the tests need on Debian 12. Idempotent:
# apt-get update runs only when a package is actually missing. Both cross
# compilers and 64-bit Wine go everywhere; 32-bit Wine only where the
# kernel runs 32-bit programs (scripts/arch.sh asks it by running one).
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

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

if reason=$(sweeper_arch_unrunnable x86); then
  echo "install-deps: no 32-bit Wine: $reason"
else
  PACKAGES+=(wine32:i386)
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -gt 0 ]; then
  echo "install-deps: installing ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# A Japanese locale lets the tests run the program with the double-byte ANSI
# code page 932, where a path byte 0x5C can be half of a character.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
  $SUDO localedef -i ja_JP -c -f UTF-8 ja_JP.UTF-8 || true  # warnings give 1
fi
