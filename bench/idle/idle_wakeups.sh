#!/usr/bin/env bash
# Wake-ups per second and memory of an idle hosting program: the real
# program hosts (its own home, runtime directory and ports, a silent lobby)
# and nobody joins. Each thread's wake-ups (voluntary context switches: every
# wait that ends) are counted twice: from 1 s to 9 s after the last key,
# while the text cursor may still blink, and over SECONDS from 12 s on, when
# nothing but the program's own doing can wake it. With strace installed, the
# waiting calls are then listed and counted by kind.
#   PLATFORM=offscreen|xvfb|xvfb-wm bench/idle/idle_wakeups.sh [BUILD_DIR] [SECONDS]
# offscreen (the default): no display; the window holds the keyboard focus.
# xvfb: a real X display without a window manager, where the window never
#   gets the keyboard focus.
# xvfb-wm: a real X display with openbox; the window is activated through
#   the window manager, which puts the keyboard focus in the chat input, and
#   Shift is pressed there (the last key).
# BENCH_DISPLAY=:N picks the X display (default: a free one).
. "$(dirname "$0")/../desktop/game_session.sh"
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
seconds=${2:-10}
kalvex_program="$build/src/app/kalvex"
[ -x "$kalvex_program" ] || { echo "no $kalvex_program; build first" >&2; exit 1; }
platform=${PLATFORM:-offscreen}

open_bench_work

case $platform in
  offscreen) export QT_QPA_PLATFORM=offscreen ;;
  xvfb) start_x_display; export QT_QPA_PLATFORM=xcb ;;
  xvfb-wm) start_x_display openbox; export QT_QPA_PLATFORM=xcb ;;
  *) echo "PLATFORM is offscreen, xvfb or xvfb-wm" >&2; exit 1 ;;
esac

prepare_game kalvex
launch_game kalvex
host=$game_pid
if [ "$platform" = offscreen ]; then
  sleep 1
else
  window=$(wait_shown_window "$host") || { echo "the program showed no window" >&2; exit 1; }
  [ "$platform" = xvfb-wm ] && focus_window "$window"
fi

echo "idle hosting program ($platform, pid $host)"
sleep 1
echo "from 1 s to 9 s after the last key (thread, name, wake-ups/s):"
wakeup_rates "$host" 8
sleep 3
echo "over $seconds s from 12 s after the last key (thread, name, wake-ups/s):"
wakeup_rates "$host" "$seconds"
read -r rss pss threads <<<"$(memory_kb "$host")"
echo "resident $rss kB, proportional (Pss) $pss kB, $threads threads"

if command -v strace > /dev/null; then
  echo "waits of every thread over 2 s (thread, time, call; the last number of a poll is its timeout in ms):"
  timeout -s INT 2 strace -f -tt -e trace=poll,ppoll,epoll_wait,epoll_pwait,select,pselect6,nanosleep,clock_nanosleep,futex \
    -p "$host" 2>&1 | grep -v '^strace:' | sed 's/(\[.*\], /(.., /' | head -12 || true
  echo "waiting calls of the main thread over $seconds s (strace -c):"
  timeout -s INT "$seconds" strace -c -e trace=poll,ppoll,epoll_wait,epoll_pwait,select,pselect6,nanosleep,clock_nanosleep \
    -p "$host" 2>&1 | sed -n '1,20p' || true
fi
