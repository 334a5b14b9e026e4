# Sourced by the desktop benchmarks: a private X display, optionally with a
# window manager, and the windows of a process on it. Every process started
# here is added to the caller's `pids` array, which its exit trap ends.
#
# start_x_display [openbox]: starts Xvfb on $BENCH_DISPLAY (default: a free
# number from :90 up) and, if asked, openbox on it; exports DISPLAY and waits
# until both answer.
start_x_display() {
  local wm=${1:-}
  local display=${BENCH_DISPLAY:-}
  if [ -z "$display" ]; then
    local n
    for n in $(seq $((90 + RANDOM % 50)) 189); do
      [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { display=:$n; break; }
    done
  fi
  Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp > /dev/null 2>&1 &
  pids+=($!)
  export DISPLAY=$display
  local _
  for _ in $(seq 100); do xwininfo -root > /dev/null 2>&1 && break; sleep 0.05; done
  xwininfo -root > /dev/null 2>&1 || { echo "Xvfb did not start on $display" >&2; return 1; }
  if [ "$wm" = openbox ]; then
    command -v openbox > /dev/null || { echo "needs openbox" >&2; return 1; }
    openbox --sm-disable > /dev/null 2>&1 &
    pids+=($!)
    # The window manager is up once it names itself on the root window.
    for _ in $(seq 100); do
      xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
      sleep 0.05
    done
  fi
}

# shown_window PID: the id of a viewable top-level window of the process, or
# nothing. Windows carry their process in _NET_WM_PID (Qt and GTK set it).
shown_window() {
  xdotool search --onlyvisible --pid "$1" 2>/dev/null | head -1
}

# wait_shown_window PID [TRIES]: polls, a few milliseconds apart, until the
# process shows a window, and prints its id; fails if it never does.
wait_shown_window() {
  local pid=$1 tries=${2:-4000} window _
  for _ in $(seq "$tries"); do
    window=$(shown_window "$pid")
    [ -n "$window" ] && { echo "$window"; return 0; }
    kill -0 "$pid" 2>/dev/null || return 1
  done
  return 1
}

# focus_window WINDOW: gives it the keyboard focus through the window
# manager, as a click on its frame would, then presses Shift inside it: a
# key that changes nothing but counts as the user's last key.
focus_window() {
  xdotool windowactivate --sync "$1" > /dev/null 2>&1 || xdotool windowfocus --sync "$1" > /dev/null 2>&1 || true
  sleep 0.3
  xdotool key --clearmodifiers shift > /dev/null 2>&1 || true
}
