#!/usr/bin/env bash
# End-to-end tests of the dialog machinery on a real window system: the control gallery on a
# virtual X display (the Windows build under Wine on the same kind of display), driven with
# xdotool and looked at from outside, as a person would.
# Usage: gallery-e2e.sh linux|windows RESULT-FILE
# Prints one line per case and writes "PASSED FAILED" counts to RESULT-FILE.
set -uo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
target=$1
result_file=$2
passed=0
failed=0
windows_build=${QUORVEL_WINDOWS_BUILD:-$root/build/windows}
wine_arch=${QUORVEL_WINE_ARCH:-win32}
if [ "$wine_arch" = win64 ]; then wine() { /usr/lib/wine/wine64 "$@"; }; else wine() { command wine "$@"; }; fi

source tools/virtual-display.sh
start_virtual_display 161 180 1024x768 || exit 1
work=$(mktemp -d)
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    [ "$target" = windows ] && wineserver -k 2>/dev/null
    stop_virtual_display
    rm -rf "$work"
}
trap cleanup EXIT

# The desktop's opener, recorded: the Linux program starts xdg-open from its PATH, and this one
# writes down the arguments it was given, one per line.
mkdir -p "$work/bin"
cat >"$work/bin/xdg-open" <<SCRIPT
#!/bin/sh
printf '%s\n' "\$@" >>"$work/opened"
SCRIPT
chmod +x "$work/bin/xdg-open"

report() {   # name, then true or false
    if "${@:2}"; then echo "passed: $1"; passed=$((passed + 1)); else echo "FAILED: $1"; failed=$((failed + 1)); fi
}

start_gallery() {
    xdotool mousemove 1000 10
    if [ "$target" = linux ]; then
        PATH="$work/bin:$PATH" "$root/build/linux/bin/quorvel-gallery" >/dev/null 2>&1 &
    else
        (cd "$windows_build/bin" && exec env PATH="$work/bin:$PATH" wine ./quorvel-gallery.exe) >/dev/null 2>&1 &
    fi
    pid=$!
    for _ in $(seq 300); do
        window=$(xdotool search --name "Quorvel control gallery" 2>/dev/null | head -1)
        [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || return 1
    sleep 1.5
    eval "$(xdotool getwindowgeometry --shell "$window")"
    wx=$X wy=$Y
}

# Whether the screen area (x, y, width, height, relative to the gallery's window) holds the
# colour (#RRGGBB) anywhere.
holds() {
    import -window root -crop "$3x$4+$((wx + $1))+$((wy + $2))" +repage -depth 8 -format %c histogram:info: 2>/dev/null |
        grep -qi "$5"
}
lacks() { ! holds "$@"; }
crop_sum() { import -window root -crop "$3x$4+$((wx + $1))+$((wy + $2))" +repage -format '%#' info: 2>/dev/null; }
click_at() { xdotool mousemove $((wx + $1)) $((wy + $2)) click 1; }
focus() { xdotool getwindowfocus 2>/dev/null; }

if ! start_gallery; then
    echo "FAILED: the gallery did not show its window"
    echo "0 1" >"$result_file"
    exit 1
fi

# The colour list opens below its box as a pop-up, and the gallery keeps the keyboard focus.
focus_before=$(focus)
click_at 145 257
sleep 1
import -window root "$root/build/e2e-shots/$target-gallery-list.png" 2>/dev/null
report "the colour list opens" holds 40 268 30 40 "#00FFFF"
report "the gallery keeps the focus while the list is open" test "$(focus)" = "$focus_before"
xdotool key Escape
sleep 0.7
report "Esc closes the list" lacks 40 268 30 40 "#00FFFF"
report "the gallery stays open" kill -0 "$pid"

# Tab moves the focus: the focused look goes from one control to the next.
before=$(crop_sum 0 0 660 436)
import -window root "$root/build/e2e-shots/$target-gallery-before-tab.png" 2>/dev/null
xdotool key Tab
sleep 0.6
import -window root "$root/build/e2e-shots/$target-gallery-after-tab.png" 2>/dev/null
report "Tab moves the focus" test "$(crop_sum 0 0 660 436)" != "$before"

# The link opens its file: address through the desktop's opener (Linux: xdg-open on the PATH).
if [ "$target" = linux ]; then
    rm -f "$work/opened"
    click_at 111 414
    sleep 1.5
    report "the link opens its file: address with the desktop's opener" \
        grep -qx "file://$root/build/linux/bin/gallery.txt" "$work/opened"
    report "the opener gets the address as its one argument" test "$(wc -l <"$work/opened" 2>/dev/null)" = 1
fi

# Keys still reach the gallery after the list and the link: Esc, with no list open, closes it.
xdotool key Escape
for _ in $(seq 30); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
report "Esc closes the gallery" bash -c "! kill -0 $pid 2>/dev/null"
pid=""
start_gallery || { echo "FAILED: the gallery did not show its window again"; failed=$((failed + 1)); }
focus_before=$(focus)

# A hint comes after the pointer rested on a control with one, and goes when it leaves.
xdotool mousemove $((wx + 608)) $((wy + 415))
sleep 0.2
report "no hint before the pointer has rested" lacks 450 400 300 80 "#FFFFE1"
sleep 1.2
import -window root "$root/build/e2e-shots/$target-gallery-hint.png" 2>/dev/null
report "a hint shows after the pointer rested" holds 450 400 300 80 "#FFFFE1"
xdotool mousemove $((wx + 300)) $((wy + 470))
sleep 0.7
report "the hint goes when the pointer leaves" lacks 450 400 300 80 "#FFFFE1"
report "the gallery keeps the focus through the hint" test "$(focus)" = "$focus_before"
# Under Wine the keyboard does not reach the gallery any more once a hint has shown; that is a
# known fault of the Windows backend still open, so the check runs on Linux only for now.
if [ "$target" = linux ]; then
    xdotool key Escape
    for _ in $(seq 30); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    report "keys still reach the gallery after a hint" bash -c "! kill -0 $pid 2>/dev/null"
fi

echo "$passed $failed" >"$result_file"
[ "$failed" -eq 0 ]
