#!/usr/bin/env bash
# A long fuzzing campaign: builds the fuzz targets, then runs every target
# (or the targets named after SECONDS) in turn for SECONDS each, starting
# from its corpus in fuzz/corpus/<target>/. Afterwards the corpus is merged
# down to the inputs that add coverage and written back there, and a line
# per target gives executions, executions per second, coverage (edges and
# features), corpus size and findings. Findings (crashing inputs) are kept
# in build/fuzz-findings/; the script then exits non-zero.
#
#   scripts/fuzz.sh 600              every target, 10 minutes each
#   scripts/fuzz.sh 300 settings     one target
#
# FUZZ_RSS_LIMIT_MB (default 2048) bounds each run's memory. FUZZ_FAST=1
# fuzzes with the targets built without AddressSanitizer (several times the
# executions per second) and afterwards replays the whole corpus through the
# targets with every sanitizer, so a memory fault found on the way is still
# reported. FUZZ_JOBS=N runs N fuzzing processes per target at once.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAGSLING_BUILD_DIR:-$root/build}

if [ $# -lt 1 ] || ! [[ $1 =~ ^[0-9]+$ ]]; then
  echo "usage: scripts/fuzz.sh SECONDS [TARGET...]" >&2
  exit 2
fi
seconds=$1
shift

"$root/scripts/build.sh" fuzz || { echo "fuzz build failed"; exit 1; }
fuzz_dir="$build/fuzz"
if [ "${FUZZ_FAST:-0}" = 1 ]; then
  "$root/scripts/build.sh" fuzz-fast || { echo "fuzz build failed"; exit 1; }
  fuzz_dir="$build/fuzz-fast"
fi
jobs=${FUZZ_JOBS:-1}

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for binary in "$build"/fuzz/fuzz_*; do
    [ -x "$binary" ] && targets+=("$(basename "${binary#"$build"/fuzz/fuzz_}")")
  done
fi

findings_dir="$build/fuzz-findings"
mkdir -p "$findings_dir"
summary=()
found_any=0

for name in "${targets[@]}"; do
  binary="$fuzz_dir/fuzz_$name"
  checked_binary="$build/fuzz/fuzz_$name"
  [ -x "$binary" ] || { echo "no fuzz target '$name'" >&2; found_any=1; continue; }
  corpus="$root/fuzz/corpus/$name"
  work=$(mktemp -d)
  mkdir -p "$work/run" "$work/merged" "$corpus"
  cp -r "$corpus"/. "$work/run"/ 2>/dev/null
  log="$build/fuzz-$name.log"
  echo "== $name: $seconds s"
  # Scratch files of a target go to a private folder.
  # With several jobs each worker writes its own log (fuzz-N.log), which
  # the parent process copies into its output when the worker ends: the
  # executions of all workers add up.
  (cd "$work" && TMPDIR="$work" "$binary" -max_total_time="$seconds" -print_final_stats=1 \
    -rss_limit_mb="${FUZZ_RSS_LIMIT_MB:-2048}" -artifact_prefix="$findings_dir/$name-" \
    $([ "$jobs" -gt 1 ] && echo "-jobs=$jobs -workers=$jobs") "$work/run" >"$log" 2>&1)
  status=$?

  executions=$(grep -oE 'stat::number_of_executed_units: [0-9]+' "$log" | grep -oE '[0-9]+$' |
    awk '{ total += $1 } END { print total }')
  rate=$(grep -oE 'stat::average_exec_per_sec: +[0-9]+' "$log" | grep -oE '[0-9]+$' |
    awk '{ total += $1 } END { print total }')
  coverage=$(grep -oE 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -n 1)
  crashes=$(grep -c 'Test unit written to' "$log")

  # Keep only the inputs that add coverage; the old corpus goes in first so
  # that its inputs are preferred. Hand-written seeds (any name that is not
  # a content hash, as libFuzzer names what it finds) always stay, and the
  # merge's copies of them are left out.
  if (cd "$work" && "$binary" -merge=1 "$work/merged" "$corpus" "$work/run" >"$work/merge.log" 2>&1); then
    find "$corpus" -type f -regextype posix-extended -regex '.*/[0-9a-f]{40}' -delete
    seeds=$(find "$corpus" -type f -exec sha1sum {} + | cut -d' ' -f1)
    for input in "$work/merged"/*; do
      [ -f "$input" ] || continue
      grep -qx "$(basename "$input")" <<<"$seeds" || cp "$input" "$corpus"/
    done
  fi
  if [ "$binary" != "$checked_binary" ]; then
    # Every input of the corpus once more, with every sanitizer.
    (cd "$work" && "$checked_binary" -runs=0 -artifact_prefix="$findings_dir/$name-" "$corpus" \
      >"$build/fuzz-$name-replay.log" 2>&1) || { status=1; cat "$build/fuzz-$name-replay.log" >>"$log"; }
  fi
  files=$(find "$corpus" -type f | wc -l)
  bytes=$(du -sb "$corpus" | cut -f1)

  line=$(printf '%-10s %12s execs %8s exec/s  %-20s corpus %4d files %7d bytes  findings %d' \
    "$name" "${executions:-?}" "${rate:-?}" "${coverage:-cov: ?}" "$files" "$bytes" "$crashes")
  echo "$line"
  summary+=("$line")
  if [ "$status" -ne 0 ] || [ "$crashes" -ne 0 ]; then
    found_any=1
    grep -E 'ERROR|SUMMARY|Test unit written' "$log" | head -n 10
  fi
  rm -rf "$work"
done

echo
echo "== Campaign of $seconds s per target"
printf '%s\n' "${summary[@]}"
[ "$found_any" -eq 0 ]
