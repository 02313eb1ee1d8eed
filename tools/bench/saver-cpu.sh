#!/usr/bin/env bash
# Measures the processor time and resident memory of the real saver under Xvfb at 1920 x 1080
# (the Linux program, or the Windows program under Wine), in centred and in moving mode: the program runs for SECONDS (30 unless given)
# after start-up, and its user and system time over that span are printed as a share of one
# core. Also prints the time from start to the first frame on the screen, and runs a build
# that composes and presents the whole screen on every pass beside it in moving mode. Usage:
#   tools/bench/saver-cpu.sh [SECONDS] [linux|windows]
# It writes the motion setting into the Linux key store, or Wine's registry, and puts back what
# was there. Under Wine the figures are those of the program's process; the Wine server's own
# share is printed beside them. Where the machine cannot run 32-bit programs the 64-bit Windows
# build is measured.
set -uo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-30}
target=${2:-linux}
program=build/linux/bin/quorvel
reference=build/linux/bin/quorvel-compose-whole
launcher=()
if [ "$target" = windows ]; then
    if /usr/lib/wine/wineserver32 --version >/dev/null 2>&1; then
        windows=build/windows launcher=(/usr/bin/wine) arch=win32
    else
        windows=build/windows-x64 launcher=(/usr/lib/wine/wine64) arch=win64
    fi
    program=$windows/bin/Quorvel.scr
    reference=$windows/bin/quorvel-compose-whole.exe
    export WINEPREFIX="$PWD/$windows/wineprefix" WINEARCH=$arch WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    [ -f "$WINEPREFIX/system.reg" ] || { "${launcher[@]}" wineboot -i >/dev/null 2>&1; wineserver -w; }
    # Without a window manager Wine manages full-screen windows itself only when told so.
    "${launcher[@]}" reg add 'HKCU\Software\Wine\AppDefaults\Quorvel.scr\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    "${launcher[@]}" reg add 'HKCU\Software\Wine\AppDefaults\quorvel-compose-whole.exe\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
fi
store=/etc/quorvel/hklm/Software/Kestrune/Screensaver.reg
hz=$(getconf CLK_TCK)

source tools/virtual-display.sh
start_virtual_display 161 200 1920x1080 || exit 1
[ -e "$store" ] && cp -p "$store" "$store.bench-saved"
restore() {
    rm -f "$store"
    [ -e "$store.bench-saved" ] && mv "$store.bench-saved" "$store"
    [ "$target" = windows ] && wineserver -k 2>/dev/null
    stop_virtual_display
}
trap restore EXIT
mkdir -p "$(dirname "$store")"

ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
server_ticks() { local p; p=$(pgrep -x wineserver64 || pgrep -x wineserver32 || pgrep -x wineserver); [ -n "$p" ] && ticks "$p" || echo 0; }

store_style() {
    if [ "$target" = windows ]; then
        "${launcher[@]}" reg add 'HKLM\Software\Kestrune\Screensaver' /v Style /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    else
        printf 'Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\Software\\Kestrune\\Screensaver]\n"Style"=dword:%08x\n' "$1" >"$store"
    fi
}

# The steps a second the moving panel takes: the drawn picture's corner in two screenshots a
# second apart, taken again when the panel turned at an edge in between (then the two axes
# moved by different amounts). Leaves the figure in $pace.
measure_pace() {
    local a b ta tb dx dy
    pace=""
    for _ in 1 2 3 4 5; do
        a=$(import -window root -trim -format '%X %Y' info: 2>/dev/null); ta=$(date +%s.%N)
        sleep 1
        b=$(import -window root -trim -format '%X %Y' info: 2>/dev/null); tb=$(date +%s.%N)
        dx=$(( ${b%% *} - ${a%% *} )); dy=$(( ${b##* } - ${a##* } ))
        if [ "${dx#-}" = "${dy#-}" ] && [ "$dx" != 0 ]; then
            pace=$(echo "scale=1; ${dx#-} / ($tb - $ta)" | bc)
            return
        fi
    done
}

# Runs PROGRAM in saver mode with the stored motion STYLE and prints LABEL's figures; the share
# of a core is left in $share.
run_case() {
    local program=$1 style=$2 label=$3
    store_style "$style"
    xdotool mousemove 960 540
    local first="" pid t0 t1 w0 w1 rss
    read -r first pid < <(build/linux/bin/first-frame-probe "${launcher[@]}" "$program" /s 2>/dev/null)
    sleep 2
    t0=$(ticks "$pid"); s0=$(server_ticks); w0=$(date +%s.%N)
    sleep "$seconds"
    t1=$(ticks "$pid"); s1=$(server_ticks); w1=$(date +%s.%N)
    rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
    pace=""
    [ "$style" = 1 ] && measure_pace
    xdotool key Escape
    # The program is the probe's child, not this script's: wait until it is gone.
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    share=$(echo "scale=3; 100 * ($t1 - $t0) / $hz / ($w1 - $w0)" | bc)
    local server=""
    [ "$target" = windows ] && server="; the Wine server $(echo "scale=3; 100 * ($s1 - $s0) / $hz / ($w1 - $w0)" | bc) %"
    echo "$label: ${share} % of one core over ${seconds} s${server}; resident ${rss} KB; first frame after ${first:-?} s${pace:+; ${pace} steps a second}"
}

if [ "$target" = windows ]; then
    # The first start in a Wine session also starts Wine's own services; one start beforehand
    # keeps that out of the figures.
    store_style 0
    "${launcher[@]}" "$program" /s >/dev/null 2>&1 &
    sleep 5; xdotool key Escape; sleep 1
fi
run_case "$program" 0 centred
run_case "$program" 1 moving
moving=$share moving_pace=$pace
run_case "$reference" 1 "moving, composing the whole screen on every pass"
echo "moving mode costs $(echo "scale=1; $share / $moving" | bc) times less processor time than composing the whole screen"
# The whole-screen build cannot keep the pace, so it also takes fewer steps: per step it costs more still.
if [ -n "$moving_pace" ] && [ -n "$pace" ]; then
    echo "per step of the panel: $(echo "scale=6; r = ($share / $pace) / ($moving / $moving_pace); scale=1; r / 1" | bc) times less"
fi
