#!/usr/bin/env bash
# The test command: installs what is missing, builds everything, runs every
# unit test twice (with sanitizers, and optimised), every fuzz target for a
# bounded time, the release-package check and the end-to-end suite under
# Wine in Xvfb with Wine's Notepad. Ends with the time of each phase and
# "N passed, N failed".
#
# The phases overlap where they do not depend on each other: the Windows
# build comes first, then the package check and the end-to-end suite (which
# mostly wait on Wine) run in the background while the native, fuzz and
# bench configurations build at lower priority and their tests run; the
# fuzz targets (bounded by time, not work) run in the background while the
# bench configuration builds. The output of a background phase is shown
# when the rest is done (follow it meanwhile in the log file named). Builds
# go through ccache when it is installed (scripts/build.sh).
#
# `scripts/test.sh --quick` is the inner loop: formatting, the native build
# and its unit tests, the Windows build and a short end-to-end smoke set.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAGSLING_BUILD_DIR:-$root/build}
fuzz_seconds=${FUZZ_SECONDS:-30}
quick=false
case ${1:-} in
  --quick) quick=true ;;
  "") ;;
  *) echo "usage: scripts/test.sh [--quick]" >&2; exit 2 ;;
esac
# The end-to-end tests that show in a minute whether the program still
# starts, inserts and pastes (run.py -k takes any of them).
smoke_tests=(test_desktop.py:: test_palette.py::test_plain_button_inserts
  test_palette.py::test_split_button_face_inserts test_engine.py::test_normal_insertion
  test_html5.py::test_section_button_inserts)

passed=0
failed=0
failures=()

started=$SECONDS
phases=()
phase_started=$SECONDS
phase_name=""
end_phase() {
  [ -z "$phase_name" ] || phases+=("$(printf '%-40s %5d s' "$phase_name" $((SECONDS - phase_started)))")
  phase_name=""
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

build_kind() {  # build_kind KIND: one configuration, its failure recorded
  if ! "$root/scripts/build.sh" "$1"; then
    echo "build '$1' failed"
    record 0 1 "build $1"
    return 1
  fi
}

# Builds that run beside the end-to-end suite yield the processor to it, so
# that Wine keeps the timing of a quiet machine as far as it can.
build_beside_e2e() {
  nice -n 19 "$root/scripts/build.sh" "$1" || { echo "build '$1' failed"; record 0 1 "build $1"; return 1; }
}

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

# e2e_results LOG: records the "e2e: N passed, N failed" line of a run.py log.
e2e_results() {
  local summary e2e_ok e2e_bad
  summary=$(grep -E '^e2e: [0-9]+ passed, [0-9]+ failed' "$1" | tail -n 1)
  if [ -n "$summary" ]; then
    e2e_ok=$(echo "$summary" | grep -oE '[0-9]+ passed' | grep -oE '[0-9]+')
    e2e_bad=$(echo "$summary" | grep -oE '[0-9]+ failed' | grep -oE '[0-9]+')
    record "$e2e_ok" "$e2e_bad" "end-to-end"
  else
    record 0 1 "end-to-end (no summary)"
  fi
}

summary() {
  end_phase
  printf '\n== Summary (at %d s)\n' $((SECONDS - started))
  printf '%s\n' "${phases[@]}"
  printf '%-40s %5d s\n' "total" $((SECONDS - started))
  [ ${#failures[@]} -eq 0 ] || echo "Failed in: ${failures[*]}"
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
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

if $quick; then
  note "Building native"
  build_kind native
  note "Unit tests with sanitizers (Debug)"
  run_unit_tests "$build/native" native
  note "Building win"
  if build_kind win; then
    note "End-to-end smoke tests under Wine"
    e2e_log=$(mktemp)
    k_args=()
    for test in "${smoke_tests[@]}"; do k_args+=(-k "$test"); done
    python3 "$root/tests/e2e/run.py" --build-win "$build/win64" --screenshots "$build/screenshots" "${k_args[@]}" 2>&1 |
      tee "$e2e_log"
    e2e_results "$e2e_log"
    rm -f "$e2e_log"
  fi
  summary
  exit
fi

note "Generated files"
# data/Html.dat and core/BuiltInTemplates.inc come from one table;
# common/Cp932Table.inc and Cp932Duplicates.inc from the code page 932 codec.
if python3 "$root/scripts/gen-html-dat.py" --check && python3 "$root/scripts/gen-cp932-table.py" --check; then
  echo "data/Html.dat, core/BuiltInTemplates.inc and the code page 932 tables match their scripts"
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

note "Building win"
# First: everything under Wine waits for it.
background_log=""
background_pid=""
if build_kind win; then
  # The release package (made twice for the same bytes; the end-to-end run
  # starts Tagsling from it), then the end-to-end suite, in the background.
  # Their results come back through the log: a "package: ok|failed" line,
  # run.py's summary, and the seconds each took.
  background_log="$build/test-background.log"
  echo "the release package check and the end-to-end tests run in the background: $background_log"
  (
    package_started=$SECONDS
    if "$root/scripts/check-package.sh"; then echo "package: ok"; else echo "package: failed"; fi
    echo "package seconds: $((SECONDS - package_started))"
    e2e_started=$SECONDS
    python3 "$root/tests/e2e/run.py" --build-win "$build/win64" --screenshots "$build/screenshots"
    echo "e2e seconds: $((SECONDS - e2e_started))"
  ) >"$background_log" 2>&1 &
  background_pid=$!
fi

note "Building native (beside the end-to-end tests)"
build_beside_e2e native

note "Unit tests with sanitizers (Debug)"
run_unit_tests "$build/native" native

note "Building fuzz (beside the end-to-end tests)"
build_beside_e2e fuzz

# Fuzzing is bounded by time, not work: it runs in the background while the
# bench configuration builds. Each target first replays its whole corpus.
# fuzz_all LOG: every target; a "fuzz: NAME ok|failed" line each.
fuzz_all() {
  local binary name corpus work args executions
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
      echo "fuzz: $name ok"
    else
      tail -n 40 "$work.log"
      echo "$name: FAILED (input kept in $build/fuzz-findings/)"
      echo "fuzz: $name failed"
    fi
    rm -rf "$work" "$work.log"
  done
}

note "Fuzzing (${fuzz_seconds} s per target, in the background)"
fuzz_log="$build/test-fuzz.log"
fuzz_started=$SECONDS
nice -n 19 bash -c "$(declare -f fuzz_all); build='$build' root='$root' fuzz_seconds='$fuzz_seconds' fuzz_all" \
  >"$fuzz_log" 2>&1 &
fuzz_pid=$!
echo "log: $fuzz_log"

note "Building bench (beside the end-to-end tests)"
build_beside_e2e bench

note "Unit tests optimised (Release)"
run_unit_tests "$build/bench" optimised

note "Waiting for the fuzz targets"
wait "$fuzz_pid"
fuzz_seconds_taken=$((SECONDS - fuzz_started))
end_phase
printf '\n== Fuzzing (ran in the background)\n'
grep -v '^fuzz: ' "$fuzz_log"
while read -r _ name result; do
  if [ "$result" = ok ]; then record 1 0 "$name"; else record 0 1 "$name"; fi
done < <(grep '^fuzz: ' "$fuzz_log")
phases+=("$(printf '%-40s %5d s' "  in the background: fuzzing" "$fuzz_seconds_taken")")

if [ -n "$background_pid" ]; then
  note "Waiting for the end-to-end tests"
  wait "$background_pid"
  end_phase
  printf '\n== Release package and end-to-end tests under Wine (ran in the background)\n'
  cat "$background_log"
  if grep -q '^package: ok' "$background_log"; then
    record 1 0 "release package"
  else
    record 0 1 "release package"
  fi
  e2e_results "$background_log"
  for part in package e2e; do
    seconds=$(grep -oE "^$part seconds: [0-9]+" "$background_log" | grep -oE '[0-9]+$')
    phases+=("$(printf '%-40s %5s s' "  in the background: $part" "${seconds:-?}")")
  done
fi

summary
