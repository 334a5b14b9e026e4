#!/usr/bin/env bash
# Start-up time to the first shown window, and the resident memory of the
# idle program, on a real X display (Xvfb). The program is started as a
# host (its own home, runtime directory and ports, a silent lobby); the clock
# runs from the launch until the window titled "Kalvex" is viewable
# (polled with xwininfo, a few milliseconds apart). Resident memory is read
# 3 s later. RUNS starts, the median and each run are printed.
#   bench/startup/startup_time.sh [BUILD_DIR] [RUNS]
. "$(dirname "$0")/../silent_lobby.sh"
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
runs=${2:-7}
program="$build/src/app/kalvex"
[ -x "$program" ] || { echo "no $program; build first" >&2; exit 1; }
command -v Xvfb > /dev/null && command -v xwininfo > /dev/null ||
  { echo "needs Xvfb and xwininfo (packages xvfb, x11-utils)" >&2; exit 1; }

work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp > /dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do DISPLAY=$display xwininfo -root > /dev/null 2>&1 && break; sleep 0.05; done

start_silent_lobby "$work/lobby.port"

now_ms() { date +%s%3N; }
times=()
for run in $(seq "$runs"); do
  rm -rf "$work/home" "$work/run"
  mkdir -m 700 "$work/run" "$work/home"
  port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
  start=$(now_ms)
  DISPLAY=$display QT_QPA_PLATFORM=xcb KALVEX_HOME="$work/home" XDG_RUNTIME_DIR="$work/run" \
    KALVEX_PORT=$port KALVEX_LOBBY_PORT=$(cat "$work/lobby.port") \
    KALVEX_LOBBY_URL=http://127.0.0.1:1/none \
    "$program" Host 127.0.0.1 true > "$work/out.log" 2>&1 &
  pid=$!
  shown=""
  for _ in $(seq 4000); do
    if DISPLAY=$display xwininfo -name Kalvex 2>/dev/null | grep -q IsViewable; then
      shown=$(now_ms)
      break
    fi
  done
  if [ -z "$shown" ]; then
    echo "run $run: no window" >&2
    kill "$pid"; wait "$pid" 2>/dev/null || true
    continue
  fi
  times+=($((shown - start)))
  if [ "$run" -eq "$runs" ]; then
    sleep 3
    rss=$(awk '/^VmRSS/ {print $2}' /proc/$pid/status)
    hwm=$(awk '/^VmHWM/ {print $2}' /proc/$pid/status)
  fi
  kill "$pid"; wait "$pid" 2>/dev/null || true
done

sorted=($(printf '%s\n' "${times[@]}" | sort -n))
echo "start-up to the first shown window over ${#times[@]} runs: median ${sorted[$(( ${#sorted[@]} / 2 ))]} ms (runs: ${times[*]} ms)"
echo "idle resident memory 3 s after start: ${rss:-?} kB (peak ${hwm:-?} kB)"
