#!/usr/bin/env bash
# Builds the fuzz targets of tests/fuzz with clang (in build/fuzz) and runs each for SECONDS
# seconds (default 10), starting from its seed corpus in tests/fuzz/corpus/<target>. What a run
# learns stays in build/fuzz/corpus/<target> for the next one. Ends with one line
# "N targets, M runs, K crashes"; a crash, a hang or a leak keeps its input in
# build/fuzz/crashes/<target>/ and makes the exit status non-zero.
set -uo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-10}
build=build/fuzz

cmake -S . -B "$build" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_BACKEND=linux -DQUORVEL_FUZZ=ON >/dev/null \
    && cmake --build "$build" --target fuzz_targets -j "$(nproc)" >"$build/build.log" 2>&1 \
    || { cat "$build/build.log" 2>/dev/null; echo "the fuzz targets did not build"; exit 1; }

targets=0 runs=0 crashes=0
for seeds in tests/fuzz/corpus/*/; do
    name=$(basename "$seeds")
    mkdir -p "$build/corpus/$name" "$build/crashes/$name"
    log="$build/$name.log"
    # An input that takes over 10 s or 2 GB counts as a crash: the saver must never hang.
    "$build/bin/$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$build/crashes/$name/" "$build/corpus/$name" "$seeds" >"$log" 2>&1
    result=$?
    count=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    runs=$((runs + ${count:-0}))
    targets=$((targets + 1))
    if [ "$result" -ne 0 ]; then
        crashes=$((crashes + 1))
        echo "$name failed (log $log):"
        grep -E 'ERROR|SUMMARY|Test unit written' "$log" | head -5
    fi
done
echo "$targets targets, $runs runs, $crashes crashes"
[ "$crashes" -eq 0 ]
