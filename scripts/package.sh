#!/usr/bin/env bash
# The package command: builds the Release configuration of the Windows
# program and writes build/dist/tagsling-VERSION-win64.zip, the portable
# release (one folder "Tagsling": tagsling.exe and Tagslingmhook.dll
# stripped, Html.dat, the help page and README.txt). VERSION is the file
# VERSION. Two runs on the same commit give the same bytes. Prints the zip's
# path last.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAGSLING_BUILD_DIR:-$root/build}
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" win
exec python3 "$root/scripts/package.py" --build-win "$build/win64" --dist "$build/dist"
