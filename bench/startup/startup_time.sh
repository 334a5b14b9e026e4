#!/usr/bin/env bash
# Start-up time to the first shown window, and the memory of the idle
# program, on a real X display (Xvfb) with a window manager (openbox). The
# program is started as a host (its own home, runtime directory and ports, a
# silent lobby); the clock runs from the launch until a window of it is
# viewable (polled a few milliseconds apart). Memory is read 3 s after the
# last start. RUNS starts; the median and each run are printed.
#   bench/startup/startup_time.sh [BUILD_DIR] [RUNS]
# BENCH_DISPLAY=:N picks the X display (default: a free one).
. "$(dirname "$0")/../desktop/game_session.sh"
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
runs=${2:-7}
kalvex_program="$build/src/app/kalvex"
[ -x "$kalvex_program" ] || { echo "no $kalvex_program; build first" >&2; exit 1; }
need_desktop_tools

open_bench_work

start_x_display openbox
export QT_QPA_PLATFORM=xcb
time_startups kalvex "$runs" || { echo "the program never showed a window" >&2; exit 1; }
sleep 3
read -r rss pss threads <<<"$(memory_kb "$game_pid")"
hwm=$(awk '/^VmHWM/ {print $2}' "/proc/$game_pid/status")
stop_game

echo "start-up to the first shown window over ${#startup_times[@]} runs: median $(median "${startup_times[@]}") ms (runs: ${startup_times[*]} ms)"
echo "3 s after start: resident $rss kB (peak $hwm kB), proportional (Pss) $pss kB, $threads threads"
