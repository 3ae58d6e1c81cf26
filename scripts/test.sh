#!/usr/bin/env bash
# The test command: installs what is missing, builds everything, runs every
# unit test twice (with sanitizers, and optimised), every fuzz target for a
# bounded time, and the end-to-end suite under Wine in Xvfb with Wine's
# Notepad. Ends with the time of each phase and "N passed, N failed".
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAGSLING_BUILD_DIR:-$root/build}
fuzz_seconds=${FUZZ_SECONDS:-30}
passed=0
failed=0
failures=()

started=$SECONDS
phases=()
phase_started=$SECONDS
phase_name=""
end_phase() {
  [ -z "$phase_name" ] || phases+=("$(printf '%-36s %5d s' "$phase_name" $((SECONDS - phase_started)))")
}
note() {
  end_phase
  phase_name=$*
  phase_started=$SECONDS
  printf '\n== %s (at %d s)\n' "$*" $((SECONDS - started))
}
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
# data/Html.dat and core/BuiltInTemplates.inc come from one table;
# common/Cp932Table.inc from the code page 932 codec.
if python3 "$root/scripts/gen-html-dat.py" --check && python3 "$root/scripts/gen-cp932-table.py" --check; then
  echo "data/Html.dat, core/BuiltInTemplates.inc and common/Cp932Table.inc match their scripts"
  record 1 0 "generated files"
else
  record 0 1 "generated files"
fi

note "HTML5 templates validated"
# Every H5_ template of data/Html.dat and of the built-in fallback, through
# html-validate and the Nu checker.
if python3 "$root/tests/validate/check_templates.py"; then
  record 1 0 "template validation"
else
  record 0 1 "template validation"
fi

note "Building"
for kind in native win fuzz bench; do
  if ! "$root/scripts/build.sh" "$kind"; then
    echo "build '$kind' failed"
    record 0 1 "build $kind"
  fi
done

# run_unit_tests BUILD_FOLDER LABEL: every *_tests binary of the folder.
run_unit_tests() {
  local binary log status ok bad
  for binary in "$1"/*_tests; do
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
    printf '%-38s %4d passed, %d failed\n' "$2/$(basename "$binary")" "$ok" "$bad"
    record "$ok" "$bad" "$2/$(basename "$binary")"
    rm -f "$log"
  done
}

note "Unit tests with sanitizers (Debug)"
run_unit_tests "$build/native" native

note "Unit tests optimised (Release)"
run_unit_tests "$build/bench" optimised

note "Fuzzing (${fuzz_seconds} s per target)"
for binary in "$build"/fuzz/fuzz_*; do
  [ -x "$binary" ] || continue
  name=$(basename "$binary")
  corpus="$root/fuzz/corpus/${name#fuzz_}"
  mkdir -p "$build/fuzz-findings"
  args=(-max_total_time="$fuzz_seconds" -print_final_stats=1 -artifact_prefix="$build/fuzz-findings/${name#fuzz_}-")
  work=$(mktemp -d)
  [ -d "$corpus" ] && cp -r "$corpus"/. "$work"/
  if (cd "$work" && "$binary" "${args[@]}" "$work" >"$work.log" 2>&1); then
    executions=$(grep -oE 'stat::number_of_executed_units: [0-9]+' "$work.log" | grep -oE '[0-9]+$')
    echo "$name: no crash (${executions:-?} executions, $(grep -oE 'cov: [0-9]+' "$work.log" | tail -n 1))"
    record 1 0 "$name"
  else
    tail -n 40 "$work.log"
    echo "$name: FAILED (input kept in $build/fuzz-findings/)"
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

end_phase
printf '\n== Summary (at %d s)\n' $((SECONDS - started))
printf '%s\n' "${phases[@]}"
printf '%-36s %5d s\n' "total" $((SECONDS - started))
[ ${#failures[@]} -eq 0 ] || echo "Failed in: ${failures[*]}"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
