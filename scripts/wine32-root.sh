# 32-bit Wine from a private i386 root, for a machine whose own cannot be
# installed: a package mirror can keep the i386 security index half synced,
# and then wine32:i386's libraries cannot be matched with their newer 64-bit
# twins without a downgrade. The root is unpacked from the main suite alone,
# so its versions agree among themselves, and nothing of it enters the
# machine's package database. It lives in a cache outside any clone, named by
# the hash of its recipe, so every clone of the machine shares it.
#
# Sourced by arch.sh for the names; run as root for the two commands:
#   wine32-root.sh make             makes the root unless it is there
#   wine32-root.sh enter DIR PROG…  (through `unshare --mount`) runs PROG with
#                                   DIR's /usr laid over the machine's

# The recipe: everything that decides what the root holds. Its text names the
# folder, so a changed recipe makes a new root.
_sweeper_wine32_root_recipe() {
  local dir=$1 mirror=$2 suite=$3
  mmdebstrap --quiet --mode=root --arch=i386 --variant=extract --include=wine32 "$suite" "$dir" "$mirror" || return
  # libwine's post-install step, which unpacking never runs: Wine's own
  # zlib1.dll, stamped as a builtin, or wineboot fails ("zlib1.dll not found").
  local zlib=$dir/usr/i686-w64-mingw32/lib/zlib1.dll
  { head -c 64 "$zlib"; printf 'Wine builtin DLL'; head -c 16 /dev/zero; tail -c +97 "$zlib"; } \
    >"$dir/usr/lib/i386-linux-gnu/wine/i386-windows/zlib1.dll" || return
  # The machine's /lib is a link into /usr (merged /usr): the loader named in
  # every 32-bit program, /lib/ld-linux.so.2, must be found in the root's /usr.
  local top
  for top in bin sbin lib; do
    if [ -d "$dir/$top" ] && [ ! -L "$dir/$top" ]; then cp -a "$dir/$top/." "$dir/usr/$top/" || return; fi
  done
  # Where the machine's own locales and fonts are laid in.
  mkdir -p "$dir/usr/lib/locale" "$dir/usr/share/fonts"
}

_sweeper_wine32_root_script="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/wine32-root.sh"

# The root's folder: in the user's cache, named by the recipe.
sweeper_wine32_root_dir() {
  local key
  key=$(declare -f _sweeper_wine32_root_recipe | sha256sum | cut -c1-12)
  local home=${HOME:-$(getent passwd "$(id -u)" | cut -d: -f6)}
  echo "${SWEEPER_CACHE_DIR:-${XDG_CACHE_HOME:-$home/.cache}/sweeper}/wine32-root-$key"
}

# sweeper_wine32_root_command PROGRAM: the command that runs one of the
# root's programs (/usr/lib/wine/wine, say) as the process it starts: unshare
# and the script exec, never fork, so a test's $! is Wine's own process.
sweeper_wine32_root_command() {
  echo "unshare --mount bash $_sweeper_wine32_root_script enter $(sweeper_wine32_root_dir) $1"
}

# The suite and the mirror of the machine's own package sources: the root
# takes the main suite alone, never its security or update suites.
_sweeper_debian_mirror() {
  apt-get indextargets --format '$(SITE)' "RELEASE: $1" 'IDENTIFIER: Packages' 2>/dev/null | head -n1
}

# sweeper_make_wine32_root: makes the root unless it is there and runs; on
# failure prints why and fails. Several clones may ask at once: one makes it,
# the others wait for it.
sweeper_make_wine32_root() {
  local dir suite mirror work out
  dir=$(sweeper_wine32_root_dir)
  if [ "$(id -u)" -ne 0 ]; then
    echo "a private 32-bit Wine root needs root rights (mmdebstrap, a mount namespace)"
    return 1
  fi
  command -v mmdebstrap >/dev/null || { echo "mmdebstrap is not installed"; return 1; }
  mkdir -p "$(dirname "$dir")"
  exec 8>"$dir.lock"
  flock 8
  if [ ! -d "$dir" ]; then
    suite=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    mirror=$(_sweeper_debian_mirror "$suite")
    if [ -z "$suite" ] || [ -z "$mirror" ]; then
      echo "no Debian suite and mirror in this machine's package sources (suite '$suite')"
      exec 8>&-; return 1
    fi
    work="$dir.partial"
    rm -rf "$work"
    if ! out=$(_sweeper_wine32_root_recipe "$work" "$mirror" "$suite" 2>&1); then
      rm -rf "$work"
      echo "making it from $mirror $suite failed: $(grep -m1 -E '^(E|W):|error' <<<"$out" || tail -n1 <<<"$out")"
      exec 8>&-; return 1
    fi
    # Roots of older recipes are of no further use.
    find "$(dirname "$dir")" -maxdepth 1 -name 'wine32-root-*' ! -name "$(basename "$dir")*" -exec rm -rf {} +
    mv "$work" "$dir"
  fi
  exec 8>&-
  if ! out=$($(sweeper_wine32_root_command /usr/lib/wine/wine) --version 2>&1); then
    echo "its Wine does not run: $(tail -n1 <<<"$out")"
    return 1
  fi
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  set -euo pipefail
  case "${1:-}" in
    make) sweeper_make_wine32_root ;;
    enter)
      # In a mount namespace of this process's own: the root's /usr over the
      # machine's, with the machine's locales (the Japanese one the tests
      # make) and fonts laid back in. Nothing of the machine's /usr can run
      # after the last mount, so the program is exec'd at once.
      dir=$2; shift 2
      mount --bind /usr/lib/locale "$dir/usr/lib/locale"
      mount --bind /usr/share/fonts "$dir/usr/share/fonts"
      mount --rbind "$dir/usr" /usr
      exec "$@" ;;
    *) echo "usage: $0 make | enter DIR PROGRAM [ARGUMENT...]" >&2; exit 2 ;;
  esac
fi
