#!/usr/bin/env bash
# Part of the test command: makes the release zip (scripts/package.sh) twice,
# the second time after tagsling.exe and Tagslingmhook.dll are linked anew,
# and fails unless both zips have the same bytes. Leaves the zip in
# build/dist for the end-to-end test that runs Tagsling from it.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAGSLING_BUILD_DIR:-$root/build}
log=$(mktemp)
trap 'rm -f "$log"' EXIT

package() {
  "$root/scripts/package.sh" >"$log" 2>&1 || { cat "$log"; echo "scripts/package.sh failed"; return 1; }
  tail -n 1 "$log"
}

first_zip=$(package) || exit 1
first=$(sha256sum "$first_zip" | cut -d' ' -f1)
grep -E '^tagsling-.*bytes' "$log"
rm -f "$build/win64/tagsling.exe" "$build/win64/Tagslingmhook.dll"
second_zip=$(package) || exit 1
second=$(sha256sum "$second_zip" | cut -d' ' -f1)
if [ "$first_zip" != "$second_zip" ] || [ "$first" != "$second" ]; then
  echo "not reproducible: $first_zip ($first), then after linking anew $second_zip ($second)"
  exit 1
fi
echo "reproducible: the same bytes after linking anew (sha256 $first)"
python3 -m zipfile -l "$second_zip"
