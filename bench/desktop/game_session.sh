# Sourced by the desktop benchmarks: starts a game on the display of
# x_session.sh and takes its figures. A game is "kalvex" (the program at
# $kalvex_program, hosting with its own home, runtime directory and ports,
# and a silent lobby) or the name of another program in PATH or /usr/games.
# Every game gets a private HOME and runtime directory under $work, so that
# nothing of the user's is read or changed. Needs the caller's `work`
# directory and `pids` array.
bench_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
. "$bench_dir/silent_lobby.sh"
. "$bench_dir/desktop/x_session.sh"
. "$bench_dir/desktop/process_figures.sh"

# game_path NAME: the program to run, or nothing when it is not installed.
game_path() {
  if [ "$1" = kalvex ]; then
    [ -x "${kalvex_program:-}" ] && echo "$kalvex_program"
  else
    PATH=$PATH:/usr/games command -v "$1"
  fi
}

free_port() {
  python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])'
}

# prepare_game NAME: everything a start needs that is not the game's own
# work (a fresh home, free ports, the command line), done before the clock
# runs: picking a port alone starts a Python interpreter, over 100 ms.
prepare_game() {
  local name=$1
  rm -rf "$work/home" "$work/run"
  mkdir -m 700 "$work/home" "$work/run"
  game_command=(env HOME="$work/home" XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$work/home/.config"
                XDG_DATA_HOME="$work/home/.local/share" XDG_CACHE_HOME="$work/home/.cache")
  if [ "$name" = kalvex ]; then
    [ -s "$work/lobby.port" ] || start_silent_lobby "$work/lobby.port"
    game_command+=(KALVEX_HOME="$work/home" KALVEX_PORT="$(free_port)"
                   KALVEX_LOBBY_PORT="$(< "$work/lobby.port")" KALVEX_LOBBY_URL=http://127.0.0.1:1/none
                   "$(game_path "$name")" Host 127.0.0.1 true)
  else
    game_command+=("$(game_path "$name")")
  fi
}

# launch_game NAME: starts the prepared game in the background and sets
# game_pid.
launch_game() {
  "${game_command[@]}" > "$work/$1.log" 2>&1 &
  game_pid=$!
  pids+=($game_pid)
}

# stop_game: ends the game started last and waits for it.
stop_game() {
  kill "$game_pid" 2>/dev/null || true
  wait "$game_pid" 2>/dev/null || true
}

# time_startups NAME RUNS: starts the game RUNS times and fills
# `startup_times` (ms from the launch until a window of it is viewable).
# The last start stays running, with its window id in game_window.
time_startups() {
  local name=$1 runs=$2 run start
  startup_times=()
  for run in $(seq "$runs"); do
    prepare_game "$name"
    start=$(now_ms)
    launch_game "$name"
    if ! game_window=$(wait_shown_window "$game_pid"); then
      echo "$name, run $run: no window" >&2
      stop_game
      continue
    fi
    startup_times+=($(( $(now_ms) - start )))
    [ "$run" -eq "$runs" ] || stop_game
  done
  [ -n "${game_window:-}" ]
}

# open_bench_work: a private working directory in `work`; when the script
# exits, every process in `pids` is ended and the directory removed.
open_bench_work() {
  work=$(mktemp -d)
  pids=()
  trap close_bench_work EXIT
}
close_bench_work() {
  local p
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}

# need_desktop_tools: fails, naming the packages, unless the X display, the
# window manager and the window tools are installed.
need_desktop_tools() {
  local tool
  for tool in Xvfb openbox xdotool xwininfo xprop; do
    command -v "$tool" > /dev/null || {
      echo "needs Xvfb, openbox, xdotool, xwininfo and xprop (packages xvfb, openbox, xdotool, x11-utils)" >&2
      return 1
    }
  done
}
