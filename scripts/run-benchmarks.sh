#!/usr/bin/env bash
# Every benchmark of a Release build, one after the other, with its figures
# on standard output (docs/PERFORMANCE.md explains them).
#   scripts/run-benchmarks.sh [BUILD_DIR]
set -uo pipefail
build=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
status=0
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
run() {
  echo "== $*"
  "$@" || status=1
  echo
}
for bench in codec/codec_bench transcript/transcript_bench server/server_bench net/net_bench; do
  if [ -x "$build/bench/$bench" ]; then
    run "$build/bench/$bench" --benchmark_min_time=0.5
  fi
done
[ -x "$build/bench/latency/latency_bench" ] && run "$build/bench/latency/latency_bench" 4 40 60
if [ -x "$build/bench/paint/paint_bench" ]; then
  run "$build/bench/paint/paint_bench"
  run env QT_SCALE_FACTOR=2 "$build/bench/paint/paint_bench"
fi
run python3 "$root/bench/click/click_to_wire.py" "$build" 10
run bash "$root/bench/idle/idle_wakeups.sh" "$build" 10
run env PLATFORM=xvfb-wm bash "$root/bench/idle/idle_wakeups.sh" "$build" 10
run bash "$root/bench/startup/startup_time.sh" "$build" 7
run bash "$root/bench/desktop/compare_games.sh" "$build" 5 10
exit $status
