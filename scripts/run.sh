#!/usr/bin/env bash
# Builds and starts the program under Wine: the 32-bit one where this
# machine can run it, else the 64-bit one (of those in ARCHES), and says
# which. With a display it simply runs there; without one it starts a
# virtual display, shows what the program does through its real tray icon,
# saves screenshots under out/ and ends by itself.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/arch.sh"
: "${BUILD_ROOT:=$root/build}"
: "${ARCHES:=$SWEEPER_ALL_ARCHES}"

if [ -z "${SWEEPER_ARCH:-}" ]; then
  for arch in x86 x64; do
    case " $ARCHES " in *" $arch "*) ;; *) continue ;; esac
    if reason=$(sweeper_arch_unrunnable "$arch"); then
      echo "run: not the $arch program: $reason"
    else
      SWEEPER_ARCH=$arch
      break
    fi
  done
  [ -n "${SWEEPER_ARCH:-}" ] || { echo "run: none of ARCHES=\"$ARCHES\" can run on this machine" >&2; exit 1; }
  export SWEEPER_ARCH BUILD_DIR="$BUILD_ROOT/$SWEEPER_ARCH"
  bits=$([ "$SWEEPER_ARCH" = x86 ] && echo 32 || echo 64)
  echo "run: the $bits-bit program, $BUILD_DIR/Sweeper.exe"
  # The program alone, and for the demonstration the tools that drive it.
  targets=Sweeper
  [ -n "${DISPLAY:-}" ] || targets="Sweeper driver trayhold"
  make -C "$root" --no-print-directory build ARCHES="$SWEEPER_ARCH" TARGETS="$targets"
fi

if [ -n "${DISPLAY:-}" ] && [ -z "${SWEEPER_IN_DISPLAY:-}" ]; then
  source "$root/scripts/wine-env.sh" || exit
  echo "Sweeper runs in the notification area; right-click its icon for the menu."
  exec wine "$BUILD_DIR/Sweeper.exe"
fi

if [ -z "${SWEEPER_IN_DISPLAY:-}" ]; then
  export SWEEPER_IN_DISPLAY=1
  exec bash "$root/scripts/virtual-display.sh" bash "$0"
fi
bash "$root/scripts/demo.sh"
