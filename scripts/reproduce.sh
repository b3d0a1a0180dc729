#!/usr/bin/env bash
# Builds the release a second time, from scratch, in a fresh clone of the
# same commit in another folder, and compares both programs, both archives
# and the checksums byte for byte with dist/ (made first when missing).
# Ends non-zero and names every file that differs.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
: "${DIST_DIR:=$root/dist}"

commit=$(git -C "$root" rev-parse HEAD)
if [ -n "$(git -C "$root" status --porcelain --untracked-files=no)" ]; then
  echo "reproduce: the working tree has uncommitted changes; the second build is of the commit $commit alone"
fi
make -C "$root" --no-print-directory dist

second=$(mktemp -d "${TMPDIR:-/tmp}/sweeper-reproduce.XXXXXX")
trap 'rm -rf "$second"' EXIT
echo "reproduce: building $commit again in $second"
git clone -q --no-hardlinks "$root" "$second/source"
git -C "$second/source" checkout -q "$commit"
BUILD_ROOT="$second/build" DIST_DIR="$second/dist" make -C "$second/source" --no-print-directory dist >/dev/null

differ=()
while read -r _ file; do
  if ! cmp -s "$DIST_DIR/$file" "$second/dist/$file"; then differ+=("$file"); fi
done <"$DIST_DIR/SHA256SUMS"
cmp -s "$DIST_DIR/SHA256SUMS" "$second/dist/SHA256SUMS" || differ+=(SHA256SUMS)

if [ ${#differ[@]} -gt 0 ]; then
  echo "reproduce: FAILED, these differ between the two builds:"
  printf '  %s\n' "${differ[@]}"
  exit 1
fi
echo "reproduce: both builds are identical, byte for byte:"
sed 's/^/  /' "$DIST_DIR/SHA256SUMS"
