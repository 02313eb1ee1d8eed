#!/usr/bin/env bash
# Runs the real Linux saver in moving mode on a virtual 1920 x 1080 display for MINUTES minutes
# (default 10) and every 30 seconds prints its resident memory, the processor time it used and
# the X errors it reported so far; at the end, how much each grew over the run. The motion is
# the default (moving) unless the machine's settings say otherwise.
set -uo pipefail
cd "$(dirname "$0")/.."
minutes=${1:-10}

cmake --preset linux >/dev/null && cmake --build --preset linux --target quorvel >/dev/null || exit 1
source tools/virtual-display.sh
start_virtual_display 91 120 1920x1080 || exit 1
errors=$(mktemp)
trap 'kill "$saver" 2>/dev/null; stop_virtual_display; rm -f "$errors"' EXIT

build/linux/bin/quorvel /s 2>"$errors" &
saver=$!
ticks=$(getconf CLK_TCK)

# Resident memory in KiB, processor time in ticks, and the X errors reported.
sample() {
    local rss cpu
    rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$saver/status" 2>/dev/null)
    cpu=$(awk '{print $14 + $15}' "/proc/$saver/stat" 2>/dev/null)
    echo "${rss:-0} ${cpu:-0} $(grep -ci 'X error\|BadWindow\|BadDrawable\|BadMatch\|BadAlloc' "$errors")"
}

printf '%8s %12s %12s %10s\n' "seconds" "RSS (KiB)" "CPU (s)" "X errors"
sleep 5
read -r rss0 cpu0 err0 < <(sample)
started=$(date +%s)
end=$((started + minutes * 60))
while :; do
    if ! kill -0 "$saver" 2>/dev/null; then echo "the saver ended early:"; cat "$errors"; exit 1; fi
    read -r rss cpu err < <(sample)
    elapsed=$(( $(date +%s) - started ))
    printf '%8d %12d %12.2f %10d\n' "$elapsed" "$rss" "$(awk -v c="$cpu" -v t="$ticks" 'BEGIN { print c / t }')" "$err"
    [ "$(date +%s)" -ge "$end" ] && break
    sleep 30
done
elapsed=$(( $(date +%s) - started ))
echo "Over $elapsed s: resident memory grew by $((rss - rss0)) KiB," \
     "processor time $(awk -v c="$((cpu - cpu0))" -v t="$ticks" -v e="$elapsed" 'BEGIN { printf "%.1f", 100 * c / t / (e > 0 ? e : 1) }') % of a core," \
     "X errors $((err - err0))."
