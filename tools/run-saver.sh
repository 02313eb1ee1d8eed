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
source tools/virtual-display.sh
start_virtual_display 91 120 1280x1024
trap stop_virtual_display EXIT

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
