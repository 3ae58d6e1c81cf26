#!/usr/bin/env bash
# The test command: installs what is missing, builds everything, runs every
# unit test, every fuzz target for a bounded time, and the end-to-end suite
# under Wine in Xvfb with Wine's Notepad. Ends with "N passed, N failed".
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAGSLING_BUILD_DIR:-$root/build}
fuzz_seconds=${FUZZ_SECONDS:-60}
passed=0
failed=0
failures=()

started=$SECONDS
note() { printf '\n== %s (at %d s)\n' "$*" $((SECONDS - started)); }
record() {  # record PASSED FAILED NAME
  passed=$((passed + $1))
  failed=$((failed + $2))
  [ "$2" -eq 0 ] || failures+=("$3")
}

note "Installing missing packages"
"$root/scripts/install-deps.sh" || { echo "package installation failed"; exit 1; }

note "Source formatting"
unformatted=$(cd "$root" && git ls-files '*.cpp' '*.h' | xargs -r clang-format --dry-run 2>&1 | grep -oE '^[^:]+:[0-9]+' | cut -d: -f1 | sort -u)
if [ -z "$unformatted" ]; then
  echo "every tracked C++ file is formatted"
  record 1 0 "formatting"
else
  printf 'not formatted (run clang-format -i on them):\n%s\n' "$unformatted"
  record 0 1 "formatting"
fi

note "Generated files"
# data/Html.dat and core/BuiltInTemplates.inc come from one table.
if python3 "$root/scripts/gen-html-dat.py" --check; then
  echo "data/Html.dat and core/BuiltInTemplates.inc match scripts/gen-html-dat.py"
  record 1 0 "generated files"
else
  record 0 1 "generated files"
fi

note "Building"
for kind in native win fuzz bench; do
  if ! "$root/scripts/build.sh" "$kind"; then
    echo "build '$kind' failed"
    record 0 1 "build $kind"
  fi
done

note "Unit tests"
for binary in "$build"/native/*_tests; do
  [ -x "$binary" ] || continue
  log=$(mktemp)
  "$binary" --gtest_brief=1 >"$log" 2>&1
  status=$?
  ok=$(grep -oE '^\[  PASSED  \] [0-9]+' "$log" | grep -oE '[0-9]+$' || echo 0)
  bad=$(grep -oE '^\[  FAILED  \] [0-9]+ test' "$log" | grep -oE '[0-9]+' || echo 0)
  [ -n "$ok" ] || ok=0
  [ -n "$bad" ] || bad=0
  if [ "$status" -ne 0 ] && [ "$bad" -eq 0 ]; then bad=1; fi  # a crash or sanitizer report
  [ "$bad" -eq 0 ] || cat "$log"
  printf '%-28s %4d passed, %d failed\n' "$(basename "$binary")" "$ok" "$bad"
  record "$ok" "$bad" "$(basename "$binary")"
  rm -f "$log"
done

note "Fuzzing (${fuzz_seconds} s per target)"
for binary in "$build"/fuzz/fuzz_*; do
  [ -x "$binary" ] || continue
  name=$(basename "$binary")
  corpus="$root/fuzz/corpus/${name#fuzz_}"
  args=(-max_total_time="$fuzz_seconds" -print_final_stats=0)
  work=$(mktemp -d)
  [ -d "$corpus" ] && cp -r "$corpus"/. "$work"/
  if (cd "$work" && "$binary" "${args[@]}" "$work" >"$work.log" 2>&1); then
    echo "$name: no crash"
    record 1 0 "$name"
  else
    tail -n 40 "$work.log"
    echo "$name: FAILED"
    record 0 1 "$name"
  fi
  rm -rf "$work" "$work.log"
done

note "Release package"
# The zip a Windows user downloads, made twice for the same bytes; the
# end-to-end run starts Tagsling from it.
if "$root/scripts/check-package.sh"; then
  record 1 0 "release package"
else
  record 0 1 "release package"
fi

note "End-to-end tests under Wine"
e2e_log=$(mktemp)
python3 "$root/tests/e2e/run.py" --build-win "$build/win64" --screenshots "$build/screenshots" 2>&1 | tee "$e2e_log"
summary=$(grep -E '^e2e: [0-9]+ passed, [0-9]+ failed' "$e2e_log" | tail -n 1)
if [ -n "$summary" ]; then
  e2e_ok=$(echo "$summary" | grep -oE '[0-9]+ passed' | grep -oE '[0-9]+')
  e2e_bad=$(echo "$summary" | grep -oE '[0-9]+ failed' | grep -oE '[0-9]+')
  record "$e2e_ok" "$e2e_bad" "end-to-end"
else
  record 0 1 "end-to-end (no summary)"
fi
rm -f "$e2e_log"

note "Summary"
[ ${#failures[@]} -eq 0 ] || echo "Failed in: ${failures[*]}"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
