# Sourced: which of the program's two architectures this machine can run,
# and with which of Wine's loaders. x86 is the 32-bit program, x64 the
# 64-bit one.

SWEEPER_ALL_ARCHES="x86 x64"
_sweeper_arch_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$_sweeper_arch_root/scripts/wine32-root.sh"

# The 32-bit program needs 32-bit Wine, a 32-bit Linux program, and some
# kernels here run none ("Exec format error"). Asked by running one: the
# smallest 32-bit program there is, which only exits with 42. It needs no
# 32-bit library, so the answer is the same before and after any install.
_sweeper_kernel_runs_32bit() {
  local dir probe rc=1
  dir=$(mktemp -d "${TMPDIR:-/tmp}/sweeper-arch.XXXXXX") || return 1
  probe="$dir/exit42"
  printf '\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80' >"$probe"
  chmod +x "$probe"
  "$probe" 2>/dev/null
  [ $? -eq 42 ] && rc=0
  rm -rf "$dir"
  return $rc
}

# An emulator registered for 32-bit programs also runs the probe, but Wine
# under it is far too slow to use (one prefix took over 15 minutes).
_sweeper_32bit_is_emulated() {
  local entry
  for entry in /proc/sys/fs/binfmt_misc/*; do
    [ -f "$entry" ] || continue
    if grep -qx enabled "$entry" 2>/dev/null && grep -q '^interpreter .*qemu-i386' "$entry" 2>/dev/null; then
      return 0
    fi
  done
  return 1
}

# sweeper_kernel_unrunnable_x86: prints why this machine's kernel cannot
# run 32-bit Wine at all and succeeds; fails (prints nothing) when it can.
# SWEEPER_NO_X86=1 makes a machine that can run 32-bit programs act as one
# that cannot, to try the skipping itself.
sweeper_kernel_unrunnable_x86() {
  if [ "${SWEEPER_NO_X86:-0}" = 1 ]; then
    echo "SWEEPER_NO_X86=1 asks to act as a machine that runs no 32-bit programs"
  elif ! _sweeper_kernel_runs_32bit; then
    echo "this machine's kernel runs no 32-bit Linux programs, so 32-bit Wine cannot run"
  elif _sweeper_32bit_is_emulated; then
    echo "32-bit Linux programs run here only through an emulator (qemu-i386), too slow for Wine"
  else
    return 1
  fi
}

# Where install-deps.sh keeps the reason when 32-bit Wine could be had
# neither from the machine's packages nor from a private root; gone once it is.
sweeper_wine32_failure_file() {
  echo "${BUILD_ROOT:-$_sweeper_arch_root/build}/wine32-install-failure"
}

# sweeper_arch_unrunnable ARCH: prints why this machine cannot run ARCH's
# program under Wine and succeeds; fails (prints nothing) when it can. The
# 32-bit program needs a kernel that runs 32-bit programs and 32-bit Wine.
sweeper_arch_unrunnable() {
  if [ "$(uname -m)" != x86_64 ]; then
    echo "this is not an x86-64 machine ($(uname -m))"
    return 0
  fi
  case "$1" in
    x64) return 1 ;;
    x86)
      local failure
      failure=$(sweeper_wine32_failure_file)
      if sweeper_kernel_unrunnable_x86; then
        :
      elif [ -f "$failure" ]; then
        echo "32-bit Wine could not be installed: $(cat "$failure")"
      elif [ "$(sweeper_wine32_source)" = root ] && [ ! -d "$(sweeper_wine32_root_dir)" ]; then
        echo "32-bit Wine is not installed, nor its private root made ($(sweeper_wine32_root_dir) is missing; make deps makes it)"
      elif [ "$(sweeper_wine32_source)" = root ] && [ "$(id -u)" -ne 0 ]; then
        echo "32-bit Wine runs here only from its private root, and that needs root rights (a mount namespace)"
      else
        return 1
      fi
      return 0 ;;
    *)
      echo "unknown architecture '$1' (known: $SWEEPER_ALL_ARCHES)"
      return 0 ;;
  esac
}

sweeper_arch_runnable() { ! sweeper_arch_unrunnable "$1" >/dev/null; }

# The program a user of this machine should run: the 32-bit one, the
# program's original form, where it can run, else the 64-bit one.
sweeper_preferred_arch() {
  if sweeper_arch_runnable x86; then echo x86; else echo x64; fi
}

# Where the 32-bit program's Wine comes from: the machine's own wine32
# package ("machine") where it is installed, else the private root
# (wine32-root.sh). SWEEPER_WINE32=root takes the root in any case, to try it.
sweeper_wine32_source() {
  if [ "${SWEEPER_WINE32:-}" = root ] || [ ! -x /usr/lib/wine/wine ]; then echo root; else echo machine; fi
}

# Debian's /usr/bin/wine picks the 32-bit loader whenever it is installed,
# and /usr/bin/wineserver the 64-bit server: each architecture names its own.
# The paths are the same in the machine's /usr and in the root's.
sweeper_wine_loader() {
  case "$1" in x86) echo /usr/lib/wine/wine ;; *) echo /usr/lib/wine/wine64 ;; esac
}
sweeper_wine_server() {
  case "$1" in x86) echo /usr/lib/wine/wineserver32 ;; *) echo /usr/lib/wine/wineserver64 ;; esac
}
# sweeper_wine_command ARCH PROGRAM: how to run one of Wine's programs (the
# loader or the server) for ARCH: the one place that knows about the root.
sweeper_wine_command() {
  if [ "$1" = x86 ] && [ "$(sweeper_wine32_source)" = root ]; then
    sweeper_wine32_root_command "$2"
  else
    echo "$2"
  fi
}
sweeper_wine_arch() {
  case "$1" in x86) echo win32 ;; *) echo win64 ;; esac
}
