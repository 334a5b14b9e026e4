#!/usr/bin/env bash
# Kalvex beside two other code-breaking games of Debian's archive, ColorCode
# (colorcode) and GNOME Mastermind (gnome-mastermind), on one Xvfb display
# with openbox, one game at a time. For each: start-up to the first shown
# window (median of RUNS starts), then, with the last start activated through
# the window manager (the keyboard focus goes to Kalvex's chat input, or to
# the main window of a game without a text field) and Shift pressed in it,
# the idle figures from 12 s after that key (past Kalvex's cursor blink):
# resident and proportional memory (Pss, /proc/PID/smaps_rollup), threads,
# and wake-ups per second over SECONDS (voluntary context switches of all
# threads). A game that is not installed is skipped. Every game runs with a
# private HOME; Kalvex hosts, with its own ports and a silent lobby.
#   bench/desktop/compare_games.sh [BUILD_DIR] [RUNS] [SECONDS]
# GAMES="kalvex colorcode gnome-mastermind" picks the games; BENCH_DISPLAY=:N
# the X display (default: a free one).
. "$(dirname "$0")/game_session.sh"
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
runs=${2:-5}
seconds=${3:-10}
kalvex_program="$build/src/app/kalvex"
need_desktop_tools

open_bench_work

start_x_display openbox
export QT_QPA_PLATFORM=xcb
unset DBUS_SESSION_BUS_ADDRESS

results=()
for game in ${GAMES:-kalvex colorcode gnome-mastermind}; do
  if [ -z "$(game_path "$game")" ]; then
    echo "$game: not installed, skipped"
    continue
  fi
  if ! time_startups "$game" "$runs"; then
    echo "$game: never showed a window, skipped" >&2
    continue
  fi
  focus_window "$game_window"
  sleep 12
  rates=$(wakeup_rates "$game_pid" "$seconds")
  read -r rss pss threads <<<"$(memory_kb "$game_pid")"
  stop_game
  main=$(awk -v p="$game_pid" '$1 == p {print $3}' <<<"$rates")
  total=$(awk '$1 == "total" {print $2}' <<<"$rates")
  echo "$game: start-up ${startup_times[*]} ms; threads' wake-ups/s over $seconds s:"
  sed 's/^/  /' <<<"$rates"
  results+=("$(printf '%-18s %8s ms %9.1f MB %8.1f MB %7s %10s %9s' "$game" \
    "$(median "${startup_times[@]}")" "$(awk -v k="$rss" 'BEGIN {print k / 1024}')" \
    "$(awk -v k="$pss" 'BEGIN {print k / 1024}')" "$threads" "$main" "$total")")
done

echo
echo "idle from 12 s after the last key, $runs starts each, wake-ups over $seconds s"
printf '%-18s %11s %12s %11s %7s %10s %9s\n' game start-up resident Pss threads "main/s" "all/s"
printf '%s\n' "${results[@]}"
