#!/usr/bin/env bash
# End-to-end tests of the settings dialog as the system starts it ("/c"), on a virtual X display
# (the Windows build under Wine, which has no HTML engine here): what OK and Change Colour
# store, the drag, the pages, Alt+F4. Driven with xdotool and read back from the settings.
# Usage: settings-e2e.sh linux|windows RESULT-FILE
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
if [ "$target" = linux ]; then bin="$root/build/linux/bin"; else bin="$windows_build/bin"; fi

source tools/virtual-display.sh
start_virtual_display 181 200 1024x768 || exit 1

# What the settings held before is kept aside and put back at the end.
store=/etc/quorvel/hklm/Software/Kestrune/Screensaver.reg
ini="$bin/Quorvel.ini"
saved=$(mktemp -d)
[ -e "$store" ] && cp -p "$store" "$saved/store"
[ -e "$ini" ] && cp -p "$ini" "$saved/ini"
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    if [ "$target" = linux ]; then
        rm -f "$store"; [ -e "$saved/store" ] && cp -p "$saved/store" "$store"
    else
        wine reg delete 'HKLM\Software\Kestrune' /f >/dev/null 2>&1
        wineserver -k 2>/dev/null
    fi
    rm -f "$ini"; [ -e "$saved/ini" ] && cp -p "$saved/ini" "$ini"
    rm -rf "$saved"
    stop_virtual_display
}
trap cleanup EXIT

report() {   # name, then a command that holds when the case passed
    if "${@:2}"; then echo "passed: $1"; passed=$((passed + 1)); else echo "FAILED: $1"; failed=$((failed + 1)); fi
}

store_style() {   # the stored motion, a number
    if [ "$target" = linux ]; then
        mkdir -p "$(dirname "$store")"
        printf 'Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\Software\\Kestrune\\Screensaver]\n"Style"=dword:%08x\n' "$1" >"$store"
    else
        wine reg add 'HKLM\Software\Kestrune\Screensaver' /v Style /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    fi
}
stored_style() {   # prints the stored motion as a number, or nothing
    if [ "$target" = linux ]; then
        sed -n 's/^"Style"=dword:\([0-9a-fA-F]*\).*/\1/p' "$store" 2>/dev/null | while read -r h; do echo $((16#$h)); done
    else
        wine reg query 'HKLM\Software\Kestrune\Screensaver' /v Style 2>/dev/null | tr -d '\r' |
            sed -n 's/.*REG_DWORD[[:space:]]*0x\([0-9a-fA-F]*\).*/\1/p' | while read -r h; do echo $((16#$h)); done
    fi
}
stored_colour() { tr -d '\r' <"$ini" 2>/dev/null | sed -n 's/^skin=//p'; }

start_dialog() {   # the folder to start in
    xdotool mousemove 1000 10
    if [ "$target" = linux ]; then
        (cd "$1" && exec "$bin/quorvel" /c) >/dev/null 2>&1 &
    else
        (cd "$1" && exec wine "$bin/Quorvel.scr" /c) >/dev/null 2>&1 &
    fi
    pid=$!
    window=""
    for _ in $(seq 300); do
        window=$(xdotool search --name "Quorvel Screensaver 1.0" 2>/dev/null | head -1)
        [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || return 1
    sleep 2
    eval "$(xdotool getwindowgeometry --shell "$window")"
    wx=$X wy=$Y
}
click_at() { xdotool mousemove $((wx + $1)) $((wy + $2)) click 1; sleep 0.5; }
# Waits up to three seconds for the dialog to end; true when it did, with its code in $code.
ended() {
    for _ in $(seq 30); do
        if ! kill -0 "$pid" 2>/dev/null; then wait "$pid"; code=$?; pid=""; return 0; fi
        sleep 0.1
    done
    return 1
}
# Whether any pixel of the area (relative to the dialog) is strongly red, or strongly blue: the
# help page's heading, the banner's lit cells, a link.
any_pixel() {   # x y w h fx-condition
    [ "$(import -window root png:- 2>/dev/null | convert png:- -crop "$3x$4+$((wx + $1))+$((wy + $2))" +repage \
        -fx "$5" -format '%[fx:maxima]' info: 2>/dev/null)" = 1 ]
}
reddish() { any_pixel "$@" 'r>0.55&&g<0.3&&b<0.3'; }
bluish() { any_pixel "$@" 'b>0.55&&r<0.3&&g<0.3'; }
holds() {   # x y w h #RRGGBB, relative to the dialog
    import -window root -crop "$3x$4+$((wx + $1))+$((wy + $2))" +repage -depth 8 -format %c histogram:info: 2>/dev/null |
        grep -qi "$5"
}

# Places in the dialog, from the layout: the frame's surface below the title, the radio buttons,
# the colour box, the two push buttons, the tabs.
center=(73 167); ok=(278 360); change=(226 278); combo=(92 280); frame_surface=(200 40)
help_tab=(105 80); about_tab=(154 80)

# OK with neither motion checked stores the moving clock and ends the program with code 0,
# whatever was stored; with "Center" checked it stores 0.
for row in "none 0 1" "Center 1 0"; do
    read -r checked before want <<<"$row"
    store_style "$before"
    start_dialog "$bin" || { report "the dialog shows ($checked)" false; continue; }
    [ "$checked" = Center ] && click_at "${center[@]}"
    click_at "${ok[@]}"
    outcome="running"
    ended && outcome="code $code, Style $(stored_style)"
    report "OK with $checked checked stores $want and ends with code 0" test "$outcome" = "code 0, Style $want"
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
done

# Change Colour with nothing chosen stores -1 and the dialog stays; Alt+F4 then ends it and
# saves no motion.
store_style 0
rm -f "$ini"
start_dialog "$bin"
click_at "${change[@]}"
sleep 0.5
report "Change Colour with nothing chosen stores -1" test "$(stored_colour)" = -1
report "the dialog stays after Change Colour" kill -0 "$pid"

# A left drag on the frame moves the window; a right drag does not.
x0=$wx y0=$wy
xdotool mousemove $((wx + frame_surface[0])) $((wy + frame_surface[1])) mousedown 3 mousemove_relative 60 40 mouseup 3
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$window")"
report "a right drag on the frame does not move the window" test "$X $Y" = "$x0 $y0"
xdotool mousemove $((wx + frame_surface[0])) $((wy + frame_surface[1])) mousedown 1
sleep 0.3
xdotool mousemove_relative 30 20
sleep 0.3
xdotool mousemove_relative 30 20 mouseup 1
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$window")"
report "a left drag on the frame moves the window with the pointer" test "$X $Y" = "$((x0 + 60)) $((y0 + 40))"
wx=$X wy=$Y

# Ctrl+Tab goes to the Help page (the page, or where no engine is, the fallback) and on to About.
xdotool key ctrl+Tab
sleep 4
import -window root "$root/build/e2e-shots/$target-settings-help.png" 2>/dev/null
if [ "$target" = linux ]; then
    report "the Help page shows the help page" reddish 20 100 280 60
else
    report "the Help page shows the fallback and its link" bluish 20 100 280 100
fi
xdotool key ctrl+Tab
sleep 1
import -window root "$root/build/e2e-shots/$target-settings-about.png" 2>/dev/null
report "the About page shows the banner" reddish 20 95 280 70
xdotool key alt+F4
outcome="running"
ended && outcome="code $code"
report "Alt+F4 ends the dialog with code 0" test "$outcome" = "code 0"
report "Alt+F4 saved no motion" test "$(stored_style)" = 0

# Started in a folder without the help, the rest of the dialog still works.
empty=$(mktemp -d)
store_style 0
start_dialog "$empty"
click_at "${ok[@]}"
outcome="running"
ended && outcome="Style $(stored_style)"
report "without the help folder OK still stores the motion" test "$outcome" = "Style 1"
rmdir "$empty"

echo "$passed $failed" >"$result_file"
[ "$failed" -eq 0 ]
