#!/usr/bin/env bash
# Runs every libFuzzer target of a fuzz build for a while.
#   scripts/run-fuzzers.sh BUILD_DIR SECONDS [TARGET...]
# Each target starts from its committed seeds (fuzz/<target>/corpus) and
# grows a working corpus in BUILD_DIR/fuzz-work/<target>, so git stays
# clean. A finding is saved under BUILD_DIR/fuzz-findings/<target>/ and
# makes the script fail. JOBS (default 2) targets run side by side.
set -uo pipefail

if [ $# -lt 2 ]; then
  echo "usage: $0 BUILD_DIR SECONDS [TARGET...]" >&2
  exit 2
fi
build=$1
seconds=$2
shift 2
root=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -gt 0 ]; then
  targets=("$@")
else
  targets=()
  for dir in "$root"/fuzz/*/; do
    targets+=("$(basename "$dir")")
  done
fi
jobs=${JOBS:-2}

run_one() {
  local target=$1
  local binary="$build/fuzz/$target/fuzz_$target"
  local work="$build/fuzz-work/$target"
  local findings="$build/fuzz-findings/$target"
  if [ ! -x "$binary" ]; then
    echo "fuzz $target: $binary is missing" >&2
    return 1
  fi
  mkdir -p "$work" "$findings"
  local log="$build/fuzz-work/$target.log"
  if "$binary" -max_total_time="$seconds" -print_final_stats=1 \
       -artifact_prefix="$findings/" "$work" "$root/fuzz/$target/corpus" >"$log" 2>&1; then
    local runs
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$')
    echo "fuzz $target: ${runs:-?} runs in ${seconds}s, no finding"
  else
    echo "fuzz $target: FINDING (see $log and $findings)" >&2
    tail -n 40 "$log" >&2
    return 1
  fi
}

failed=0
pids=()
names=()
for target in "${targets[@]}"; do
  run_one "$target" &
  pids+=($!)
  names+=("$target")
  if [ ${#pids[@]} -ge "$jobs" ]; then
    wait "${pids[0]}" || failed=1
    pids=("${pids[@]:1}")
    names=("${names[@]:1}")
  fi
done
for pid in "${pids[@]}"; do
  wait "$pid" || failed=1
done
exit $failed
