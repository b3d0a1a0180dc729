#!/usr/bin/env bash
# Writes the release: dist/Sweeper-<version>-x86.zip and -x64.zip, each with
# Sweeper.exe and README.txt, the two programs as dist/<arch>/Sweeper.exe,
# and dist/SHA256SUMS for all four. The same commit gives the same bytes:
# the programs carry no time stamp and no build path, and the archives date
# every entry at the commit's time (SOURCE_DATE_EPOCH, when set, instead).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
: "${BUILD_ROOT:=$root/build}"
: "${DIST_DIR:=$root/dist}"
arches=(x86 x64)

if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct)
fi
if [ -n "$(git -C "$root" status --porcelain --untracked-files=no)" ]; then
  echo "dist: the working tree has uncommitted changes: this release is not the commit's"
fi

# The build folders are configured by `make dist`.
for arch in "${arches[@]}"; do
  cmake --build "$BUILD_ROOT/$arch" --target Sweeper -j "${JOBS:-2}" >/dev/null
done

version=$(python3 "$root/scripts/pe_version.py" "$BUILD_ROOT/x86/Sweeper.exe")
other=$(python3 "$root/scripts/pe_version.py" "$BUILD_ROOT/x64/Sweeper.exe")
[ "$version" = "$other" ] || { echo "dist: the programs' versions differ: $version and $other" >&2; exit 1; }

rm -rf "$DIST_DIR"
mkdir -p "$DIST_DIR"
# Windows users open it in Notepad: CRLF line ends.
readme="$DIST_DIR/README.txt"
sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' "$root/docs/README-Windows.txt" >"$readme"
sums=()
for arch in "${arches[@]}"; do
  mkdir -p "$DIST_DIR/$arch"
  cp "$BUILD_ROOT/$arch/Sweeper.exe" "$DIST_DIR/$arch/Sweeper.exe"
  archive="Sweeper-$version-$arch.zip"
  python3 "$root/scripts/make_zip.py" "$DIST_DIR/$archive" "$SOURCE_DATE_EPOCH" \
    "Sweeper.exe=$DIST_DIR/$arch/Sweeper.exe" "README.txt=$readme"
  sums+=("$archive" "$arch/Sweeper.exe")
done
rm "$readme"
(cd "$DIST_DIR" && sha256sum "${sums[@]}" >SHA256SUMS)
echo "dist: $DIST_DIR (version $version, dated $(date -u -d "@$SOURCE_DATE_EPOCH" '+%Y-%m-%d %H:%M:%S UTC'))"
sed 's/^/  /' "$DIST_DIR/SHA256SUMS"
