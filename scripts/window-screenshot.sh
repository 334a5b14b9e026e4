#!/bin/bash
# Pictures of the main window at a fixed state on a private X display
# (Xvfb with openbox): a hosting window "Ann" logged in, the pointer parked
# outside it. Four pictures 0.35 s apart, as the input's caret blinks.
# Needs Xvfb, openbox, xdotool and ImageMagick (import, compare).
#   scripts/window-screenshot.sh build/src/app/kalvex /tmp/shot :101
#   compare -metric AE /tmp/before-1.png /tmp/shot-1.png null:
set -eu
program=$(realpath "$1")
out=$2
display=${3:-:99}
home=$(mktemp -d)
runtime=$(mktemp -d)
chmod 700 "$runtime"
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sleep 1
DISPLAY=$display openbox >/dev/null 2>&1 &
wm=$!
sleep 1
DISPLAY=$display KALVEX_HOME=$home XDG_RUNTIME_DIR=$runtime KALVEX_PORT=47781 \
    KALVEX_LOBBY_PORT=47782 KALVEX_LOBBY_URL=http://127.0.0.1:1/none \
    "$program" Ann 127.0.0.1 true >/dev/null 2>&1 &
game=$!
sleep 4
DISPLAY=$display xdotool mousemove 1000 700
sleep 0.5
for n in 1 2 3 4; do
    DISPLAY=$display import -window root "$out-$n.png"
    sleep 0.35
done
kill "$game"
sleep 0.5
kill "$wm" "$xvfb"
wait 2>/dev/null || true
rm -rf "$home" "$runtime"
