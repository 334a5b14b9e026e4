#!/usr/bin/env bash
# Wake-ups per second and resident memory of an idle hosting program: the
# real program hosts (offscreen, its own home, runtime directory and ports),
# nobody joins, and after it has settled its threads' context switches are
# counted over SECONDS. Each wait-and-wake of a thread is one voluntary
# switch. With strace installed, the main thread's waiting calls are also
# counted by kind.
#   bench/idle/idle_wakeups.sh [BUILD_DIR] [SECONDS]
. "$(dirname "$0")/../silent_lobby.sh"
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
seconds=${2:-10}
program="$build/src/app/kalvex"
[ -x "$program" ] || { echo "no $program; build first" >&2; exit 1; }

work=$(mktemp -d)
mkdir -m 700 "$work/run" "$work/home"
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A lobby that accepts and stays silent, and a free game port.
start_silent_lobby "$work/lobby.port"
game_port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')

# PLATFORM=xvfb runs it on a real X display without a window manager, where
# the window never holds the keyboard focus (no text cursor blinks).
platform=(QT_QPA_PLATFORM=offscreen)
if [ "${PLATFORM:-offscreen}" = xvfb ]; then
  display=:$((90 + RANDOM % 100))
  Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp > /dev/null 2>&1 &
  pids+=($!)
  sleep 1
  platform=(QT_QPA_PLATFORM=xcb DISPLAY=$display)
fi
env "${platform[@]}" KALVEX_HOME="$work/home" XDG_RUNTIME_DIR="$work/run" \
  KALVEX_PORT=$game_port KALVEX_LOBBY_PORT=$(cat "$work/lobby.port") \
  KALVEX_LOBBY_URL=http://127.0.0.1:1/none \
  "$program" Host 127.0.0.1 true > "$work/out.log" 2>&1 &
host=$!
pids+=($host)
sleep 3

switches() {
  for task in /proc/$host/task/*; do
    printf '%s %s %s\n' "$(basename "$task")" "$(tr ' ' '_' < "$task/comm")" \
      "$(awk '/^voluntary_ctxt_switches|^nonvoluntary_ctxt_switches/ {n += $2} END {print n}' "$task/status")"
  done
}
before=$(switches)
sleep "$seconds"
after=$(switches)

echo "idle hosting program (${PLATFORM:-offscreen}), $seconds s after a 3 s settle (pid $host)"
printf '%-8s %-18s %s\n' thread name wakeups/s
join <(sort <<<"$before") <(sort <<<"$after") | while read -r tid name b _ a; do
  awk -v t="$tid" -v n="$name" -v d="$((a - b))" -v s="$seconds" \
    'BEGIN {printf "%-8s %-18s %.1f\n", t, n, d / s}'
done
awk '/^VmRSS|^VmHWM/ {printf "%s %s kB\n", $1, $2}' /proc/$host/status

if command -v strace > /dev/null; then
  echo "main thread's waits over 2 s (timeouts in ms are the last number):"
  timeout -s INT 2 strace -tt -e trace=poll,ppoll -p "$host" 2>&1 | grep -o '^[0-9:.]* .*) = .*' | sed 's/(\[.*\], /(.., /' | head -8 || true
  echo "waiting calls of the main thread over $seconds s (strace):"
  timeout -s INT "$seconds" strace -c -e trace=poll,ppoll,epoll_wait,epoll_pwait,select,pselect6,nanosleep,clock_nanosleep \
    -p "$host" 2>&1 | sed -n '1,20p' || true
fi
