#!/usr/bin/env bash
# End-to-end tests of the real programs, started as the system starts a screen saver: the
# Linux program on a virtual X display and the Windows program under Wine on the same kind of
# display. They look at the screen and the pointer from outside and drive the program with
# xdotool, as a person would. Usage: saver-e2e.sh linux|windows RESULT-FILE
# Prints one line per case and writes "PASSED FAILED" counts to RESULT-FILE.
set -uo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
target=$1
result_file=$2
passed=0
failed=0
probe="$root/build/linux/bin/x-pointer-probe"
# The Windows build under test and the kind of Wine prefix it needs: the 32-bit build, or where
# the machine cannot run 32-bit programs, the 64-bit build of the same sources.
windows_build=${QUORVEL_WINDOWS_BUILD:-$root/build/windows}
wine_arch=${QUORVEL_WINE_ARCH:-win32}
# Debian's "wine" starts the 32-bit loader whenever it is installed; a 64-bit prefix needs the
# 64-bit one.
if [ "$wine_arch" = win64 ]; then wine() { /usr/lib/wine/wine64 "$@"; }; fi

# --- the display -------------------------------------------------------------------------
source tools/virtual-display.sh
start_virtual_display 121 160 1024x768 || exit 1
# Wine's settings for the program under test; see the set-up of the Windows target below.
wine_app_key='HKCU\Software\Wine\AppDefaults\Quorvel.scr'
cleanup() {
    if [ "$target" = windows ]; then
        wine reg delete "$wine_app_key" /f >/dev/null 2>&1
        wineserver -k 2>/dev/null
    fi
    stop_virtual_display
}
trap cleanup EXIT

# --- the program ---------------------------------------------------------------------------
pid=""
start_saver() {
    xdotool mousemove 512 384   # over the panel, where moves never count
    if [ "$target" = linux ]; then
        "$root/build/linux/bin/quorvel" /s >/dev/null 2>&1 &
    else
        wine "$windows_build/bin/Quorvel.scr" /s >/dev/null 2>&1 &
    fi
    pid=$!
}
running() { kill -0 "$pid" 2>/dev/null; }
# Waits up to $1 tenths of a second for the program to end; its exit code is then in $code.
code=""
ended_within() {
    for _ in $(seq "$1"); do
        if ! running; then wait "$pid"; code=$?; return 0; fi
        sleep 0.1
    done
    return 1
}
stop_saver() { running && kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; [ "$target" = windows ] && wineserver -k 2>/dev/null; true; }
# The saver is up once it has hidden the pointer.
wait_until_shown() {
    for _ in $(seq 200); do
        [ "$("$probe")" = hidden ] && { sleep 0.5; return 0; }
        running || return 1
        sleep 0.1
    done
    return 1
}
# True when the screen area (x, y, width, height) is black.
black() {
    local max
    max=$(import -window root -crop "$3x$4+$1+$2" +repage -format '%[fx:maxima]' info: 2>/dev/null)
    [ "$max" = 0 ]
}

# The screenshots the cases take are kept for a person to look at.
shots="$root/build/e2e-shots"
mkdir -p "$shots"
# Saves a screenshot as $shots/$target-NAME.png and prints the corner and size of what is not
# black in it: "X Y WIDTH HEIGHT".
shot() {
    import -window root "$shots/$target-$1.png" 2>/dev/null
    convert "$shots/$target-$1.png" -trim -format '%X %Y %w %h' info: 2>/dev/null | tr -d '+'
}

check() {   # name, then a command that succeeds when the case passes
    local name=$1; shift
    if "$@"; then echo "PASS $target: $name"; passed=$((passed + 1)); else echo "FAIL $target: $name"; failed=$((failed + 1)); fi
}

# --- the cases -----------------------------------------------------------------------------
case_black_hidden_and_key_ends() {
    store_style_centred
    start_saver
    wait_until_shown || { echo "  the saver did not hide the pointer"; stop_saver; return 1; }
    black 0 0 1024 170 || { echo "  the screen above the panel is not black"; stop_saver; return 1; }
    black 0 600 1024 168 || { echo "  the screen below the panel is not black"; stop_saver; return 1; }
    xdotool key a
    ended_within 10 || { echo "  still running a second after a key press"; stop_saver; return 1; }
    [ "$code" = 0 ] || { echo "  exit code $code"; return 1; }
}

move_outside() { xdotool mousemove $((20 + 15 * $1)) 60; sleep 0.1; }

case_eleventh_move_ends() {
    store_style_centred
    start_saver
    wait_until_shown || { stop_saver; return 1; }
    for i in $(seq 10); do move_outside "$i"; done
    sleep 0.5
    running || { echo "  ten moves ended the saver"; return 1; }
    move_outside 11
    ended_within 10 || { echo "  still running after the eleventh move"; stop_saver; return 1; }
    [ "$code" = 0 ] || { echo "  exit code $code"; return 1; }
}

# On 1024 x 768 the centred panel covers (291, 175) to (732, 592): everything drawn lies in it,
# the ring of the clock face spans most of it, and the labels show in its lower middle.
case_centred_panel_where_the_layout_puts_it() {
    store_style_centred
    start_saver
    wait_until_shown || { stop_saver; return 1; }
    local x y w h
    read -r x y w h < <(shot centred)
    stop_saver
    echo "  drawn: ${w} x ${h} at ($x, $y)"
    [ "$x" -ge 291 ] && [ "$y" -ge 175 ] && [ $((x + w)) -le 732 ] && [ $((y + h)) -le 592 ] || { echo "  outside the panel"; return 1; }
    [ "$w" -ge 350 ] && [ "$h" -ge 350 ] || { echo "  too small for the clock face"; return 1; }
    local labels
    labels=$(convert "$shots/$target-centred.png" -crop 330x141+366+381 +repage -format '%[fx:maxima]' info: 2>/dev/null)
    [ "$labels" != 0 ] || { echo "  no labels"; return 1; }
}

# In moving mode the panel takes about a hundred one-pixel steps a second on each axis, so two
# screenshots a second apart show it moved by the same amount across and down (taken again
# when it turned at an edge in between).
case_moving_panel_moves_diagonally() {
    store_style dword:00000001 REG_DWORD 1
    start_saver
    wait_until_shown || { stop_saver; return 1; }
    local x1 y1 w1 h1 x2 y2 w2 h2 dx dy
    for attempt in 1 2 3 4; do
        read -r x1 y1 w1 h1 < <(shot moving-1)
        sleep 1
        read -r x2 y2 w2 h2 < <(shot moving-2)
        dx=$((x2 - x1)); dy=$((y2 - y1))
        [ "${dx#-}" = "${dy#-}" ] && break
    done
    stop_saver
    echo "  moved by ($dx, $dy) in a second"
    [ "${dx#-}" = "${dy#-}" ] || { echo "  not diagonally"; return 1; }
    [ "${dx#-}" -ge 20 ] || { echo "  too little"; return 1; }
}

# Linux: the machine-wide key store; Windows: Wine's registry. What the store held before is
# kept aside once and put back at the end.
store=/etc/quorvel/hklm/Software/Kestrune/Screensaver.reg
if [ "$target" = linux ] && [ -e "$store" ] && [ ! -e "$store.e2e-saved" ]; then
    cp -p "$store" "$store.e2e-saved"
fi
# Stores "Style" with the given export text for the Linux store (the part after "Style"=) and
# the given type and data for Wine's registry.
store_style() {   # export-text reg-type reg-data
    if [ "$target" = linux ]; then
        [ -w /etc ] || return 1
        mkdir -p "$(dirname "$store")"
        printf 'Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\Software\\Kestrune\\Screensaver]\n"Style"=%s\n' "$1" >"$store"
    else
        wine reg add 'HKLM\Software\Kestrune\Screensaver' /v Style /t "$2" /d "$3" /f >/dev/null 2>&1
    fi
}
store_style_as_text() { store_style '"1"' REG_SZ 1; }
# The cases that look at the screen keep the panel in the middle, where the moves and the
# checks for black leave it out.
store_style_centred() { store_style dword:00000000 REG_DWORD 0; }
restore_style() {
    if [ "$target" = linux ]; then
        rm -f "$store"
        [ -e "$store.e2e-saved" ] && mv "$store.e2e-saved" "$store"
    else
        wine reg delete 'HKLM\Software\Kestrune' /f >/dev/null 2>&1
    fi
    true
}
# Prints "caption|text" of each message box on the screen.
message_boxes() {
    if [ "$target" = linux ]; then
        for w in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
            text=$(xprop -id "$w" QUORVEL_MESSAGE_TEXT 2>/dev/null | sed -n 's/^QUORVEL_MESSAGE_TEXT([^)]*) = "\(.*\)"$/\1/p')
            [ -n "$text" ] && echo "$(xdotool getwindowname "$w")|$text"
        done
    else
        wine "$windows_build/bin/read-message-box.exe" 2>/dev/null | tr -d '\r'
    fi
}
press_ok() {
    if [ "$target" = linux ]; then
        xdotool key Return
    else
        wine "$windows_build/bin/read-message-box.exe" --ok >/dev/null 2>&1
    fi
}

case_style_of_wrong_type_shows_one_message() {
    store_style_as_text || { echo "  cannot write the settings store here"; return 1; }
    start_saver
    local boxes=""
    for _ in $(seq 150); do
        boxes=$(message_boxes)
        [ -n "$boxes" ] && break
        running || break
        sleep 0.1
    done
    sleep 0.5
    boxes=$(message_boxes)
    local want
    want="$([ "$target" = linux ] && echo quorvel || echo Quorvel)|Invalid data type for 'Style'"
    [ "$boxes" = "$want" ] || { echo "  message boxes: '${boxes}', wanted '$want'"; stop_saver; return 1; }
    press_ok
    ended_within 50 || { echo "  still running after OK"; stop_saver; return 1; }
    [ "$code" = 0 ] || { echo "  exit code $code"; return 1; }
}

if [ "$target" = windows ]; then
    export WINEPREFIX="$windows_build/wineprefix" WINEARCH=$wine_arch WINEDEBUG=-all
    wine reg delete 'HKLM\Software\Kestrune' /f >/dev/null 2>&1
    # The virtual display has no window manager. Wine leaves full-screen windows to one by
    # default, and then every hide of such a window (the saver's end, for one) waits two seconds
    # for the window manager to confirm the window was shown. Told that there is none, Wine
    # shows and hides the program's windows itself, as on a desktop that has one.
    wine reg add "$wine_app_key\\X11 Driver" /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
fi
check "black screen, hidden pointer, a key ends it with code 0" case_black_hidden_and_key_ends
check "ten moves keep it, the eleventh ends it" case_eleventh_move_ends
check "centred, the panel lies where the layout puts it" case_centred_panel_where_the_layout_puts_it
check "moving, two screenshots a second apart show the panel moved diagonally" case_moving_panel_moves_diagonally
check "a Style stored as text shows one message and ends with code 0" case_style_of_wrong_type_shows_one_message
restore_style

echo "$passed $failed" >"$result_file"
