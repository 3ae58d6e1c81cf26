#!/usr/bin/env bash
# The run command: builds, then starts tagsling.exe beside Wine's Notepad.
# On $DISPLAY when there is one; otherwise in a virtual display (Xvfb), where
# it saves a screenshot and prints its path. Ctrl+C stops everything.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAGSLING_BUILD_DIR:-$root/build}
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" win
exec python3 "$root/scripts/run_tagsling.py" --build-win "$build/win64" "$@"
