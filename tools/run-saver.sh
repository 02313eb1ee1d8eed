#!/usr/bin/env bash
# Installs what is missing, builds the Linux program and starts the screen saver full screen on
# the current display. Without a display it runs the saver on a virtual one, saves a screenshot
# after two seconds and prints the picture's path. Any arguments go to the program instead of
# "/s" (for example "/c" for the settings dialog).
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup-debian.sh
cmake --preset linux >/dev/null
cmake --build --preset linux --target quorvel
program=build/linux/bin/quorvel
arguments=("${@:-/s}")

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    exec "$program" "${arguments[@]}"
fi

# No display: a virtual one of a common size, torn down again at the end.
for n in $(seq 91 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
done
Xvfb ":$n" -screen 0 1280x1024x24 -noreset -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
export DISPLAY=":$n"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

"$program" "${arguments[@]}" &
saver=$!
sleep 2
shot="$(pwd)/build/linux/screenshot.png"
import -window root "$shot"
xdotool key Escape 2>/dev/null || true
sleep 0.5
kill "$saver" 2>/dev/null || true
wait "$saver" 2>/dev/null || true
echo "$shot"
