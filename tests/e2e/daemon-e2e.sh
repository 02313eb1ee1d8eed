#!/usr/bin/env bash
# End-to-end test of the Linux program under a real screen-saver daemon: Debian's XScreenSaver
# on a virtual display, run as an unprivileged user of its own (it refuses to run savers as
# root), with a programs line that names the built saver. The daemon is told to blank the
# screen, the clock must show, and once the daemon is told to stop, the saver must be gone.
# Usage: daemon-e2e.sh RESULT-FILE
set -uo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
result_file=$1
passed=0
failed=0
user=quorvel-e2e

report() {
    if "${@:2}"; then echo "passed: $1"; passed=$((passed + 1)); else echo "FAILED: $1"; failed=$((failed + 1)); fi
}
finish() { echo "$passed $failed" >"$result_file"; [ "$failed" -eq 0 ]; }

if [ "$(id -u)" -ne 0 ] || ! command -v xscreensaver >/dev/null; then
    echo "FAILED: the daemon test needs root (to make its user) and xscreensaver"
    failed=1
    finish
    exit 1
fi
# The daemon's user may not be able to reach the build tree (a checkout in root's home), so the
# saver runs from a copy in a folder of its own that everyone may read.
copy=$(mktemp -d)
chmod 755 "$copy"
cp "$root/build/linux/bin/quorvel" "$copy/quorvel"
saver="$copy/quorvel"
id "$user" >/dev/null 2>&1 || useradd --create-home --shell /bin/sh "$user"
home=$(getent passwd "$user" | cut -d: -f6)
as_user() { runuser -u "$user" -- env HOME="$home" DISPLAY="$DISPLAY" "$@"; }

source tools/virtual-display.sh
start_virtual_display 201 220 800x600 || exit 1
daemon=""
cleanup() {
    as_user xscreensaver-command -exit >/dev/null 2>&1
    [ -n "$daemon" ] && kill "$daemon" 2>/dev/null
    pkill -u "$user" -f "$saver" 2>/dev/null
    stop_virtual_display
    rm -rf "$copy"
}
trap cleanup EXIT

# The daemon's settings: this saver only, shown at once, no lock, no fading.
cat >"$home/.xscreensaver" <<CONF
mode:		one
selected:	0
lock:		False
fade:		False
unfade:		False
splash:		False
programs:	"Quorvel"  $saver -root \\n
CONF
chown "$user:" "$home/.xscreensaver"

as_user xscreensaver -no-splash >"$home/daemon.log" 2>&1 &
daemon=$!
for _ in $(seq 100); do as_user xscreensaver-command -version >/dev/null 2>&1 && break; sleep 0.1; done

# Red LED dots somewhere on the screen: the clock (its default colour) is drawn.
red_on_screen() {
    [ "$(import -window root png:- 2>/dev/null | convert png:- -fx 'r>0.55&&g<0.3&&b<0.3' -format '%[fx:maxima]' info: 2>/dev/null)" = 1 ]
}
saver_running() { pgrep -u "$user" -f "$saver" >/dev/null; }

as_user xscreensaver-command -activate >/dev/null 2>&1
shown=false
for _ in $(seq 100); do
    if saver_running && red_on_screen; then shown=true; break; fi
    sleep 0.2
done
import -window root "$root/build/e2e-shots/linux-daemon.png" 2>/dev/null
report "XScreenSaver starts the saver and the clock shows" $shown
report "the saver runs as the daemon's user, inside the daemon's window" \
    bash -c "tr '\\0' '\\n' </proc/\$(pgrep -u $user -f '$saver' | head -1)/environ | grep -q '^XSCREENSAVER_WINDOW='"

as_user xscreensaver-command -deactivate >/dev/null 2>&1
gone=false
for _ in $(seq 50); do saver_running || { gone=true; break; }; sleep 0.1; done
report "once the daemon stops it, the saver's process is gone" $gone

finish
