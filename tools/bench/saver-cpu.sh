#!/usr/bin/env bash
# Measures the processor time and resident memory of the real Linux saver under Xvfb at
# 1920 x 1080, in centred and in moving mode: the program runs for SECONDS (30 unless given)
# after start-up, and its user and system time over that span are printed as a share of one
# core. Also prints the time from start to the first frame on the screen, and runs a build
# that composes and presents the whole screen on every pass beside it in moving mode. Usage:
#   tools/bench/saver-cpu.sh [SECONDS]
# It writes the motion setting into the Linux key store and puts back what was there.
set -uo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-30}
program=build/linux/bin/quorvel
reference=build/linux/bin/quorvel-compose-whole
store=/etc/quorvel/hklm/Software/Kestrune/Screensaver.reg
hz=$(getconf CLK_TCK)

source tools/virtual-display.sh
start_virtual_display 161 200 1920x1080 || exit 1
[ -e "$store" ] && cp -p "$store" "$store.bench-saved"
restore() {
    rm -f "$store"
    [ -e "$store.bench-saved" ] && mv "$store.bench-saved" "$store"
    stop_virtual_display
}
trap restore EXIT
mkdir -p "$(dirname "$store")"

ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

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
    printf 'Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\Software\\Kestrune\\Screensaver]\n"Style"=dword:%08x\n' "$style" >"$store"
    xdotool mousemove 960 540
    local first="" pid t0 t1 w0 w1 rss
    read -r first pid < <(build/linux/bin/first-frame-probe "$program" /s 2>/dev/null)
    sleep 2
    t0=$(ticks "$pid"); w0=$(date +%s.%N)
    sleep "$seconds"
    t1=$(ticks "$pid"); w1=$(date +%s.%N)
    rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
    pace=""
    [ "$style" = 1 ] && measure_pace
    xdotool key Escape; wait "$pid" 2>/dev/null
    share=$(echo "scale=3; 100 * ($t1 - $t0) / $hz / ($w1 - $w0)" | bc)
    echo "$label: ${share} % of one core over ${seconds} s; resident ${rss} KB; first frame after ${first:-?} s${pace:+; ${pace} steps a second}"
}

run_case "$program" 0 centred
run_case "$program" 1 moving
moving=$share moving_pace=$pace
run_case "$reference" 1 "moving, composing the whole screen on every pass"
echo "moving mode costs $(echo "scale=1; $share / $moving" | bc) times less processor time than composing the whole screen"
# The whole-screen build cannot keep the pace, so it also takes fewer steps: per step it costs more still.
if [ -n "$moving_pace" ] && [ -n "$pace" ]; then
    echo "per step of the panel: $(echo "scale=6; r = ($share / $pace) / ($moving / $moving_pace); scale=1; r / 1" | bc) times less"
fi
