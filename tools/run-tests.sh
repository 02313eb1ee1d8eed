#!/usr/bin/env bash
# Builds the Linux and the Windows targets and runs every test program: the Linux ones
# natively, the Windows ones under Wine (on a 64-bit build where the machine cannot run 32-bit
# programs). Installs what is missing first. Ends with one line
# "N passed, N failed" counting the test cases of both targets, and exits non-zero on any
# failure.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

tools/setup-debian.sh || { echo "setup failed"; exit 1; }

started=$(date +%s)
status=0
jobs=$(nproc)

build() {   # preset
    cmake --preset "$1" >/dev/null && cmake --build --preset "$1" -j "$jobs"
}

# The Windows tests need a display for Wine and a private Wine prefix inside the build tree.
source tools/virtual-display.sh
trap stop_virtual_display EXIT

# Each test program writes a JUnit report; the summary counts the cases in them.
run_tests() {   # preset [prefix the test programs see before a Unix path]
    local out="$root/build/$1/test-reports"
    rm -rf "$out" && mkdir -p "$out"
    GTEST_OUTPUT="xml:${2:-}$out/" ctest --preset "$1" -j "$jobs" || status=1
}

# Wine runs 32-bit Windows programs only where the machine runs 32-bit Linux programs. Some
# virtual machines have no 32-bit mode: there the 32-bit build is built but not run, and the
# Windows tests run on a 64-bit build of the same sources under 64-bit Wine.
if /usr/lib/wine/wineserver32 --version >/dev/null 2>&1; then
    windows_tests=windows wine_arch=win32 wine_loader=wine
else
    windows_tests=windows-x64 wine_arch=win64 wine_loader=/usr/lib/wine/wine64
    echo "This machine cannot run 32-bit programs: the Windows tests run on the 64-bit build."
fi

build linux || status=1
build windows || status=1
if [ "$windows_tests" = windows-x64 ]; then build windows-x64 || status=1; fi
# The timer workers and the hand-over to the main thread run again under ThreadSanitizer.
build linux-tsan || status=1
# Every native test program runs again under AddressSanitizer and UndefinedBehaviorSanitizer.
build linux-asan || status=1

# The Linux backend's own tests show real windows, so the display comes first.
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then start_virtual_display 91 120 1024x768 || status=1; fi
run_tests linux
TSAN_OPTIONS="halt_on_error=1 suppressions=$root/tests/tsan.supp" run_tests linux-tsan
ASAN_OPTIONS="halt_on_error=1 detect_leaks=1" LSAN_OPTIONS="suppressions=$root/tests/lsan.supp" \
    UBSAN_OPTIONS="halt_on_error=1 print_stacktrace=1" run_tests linux-asan
# Every parser of outside input under libFuzzer for a few seconds each, so a regression shows.
tools/fuzz/run.sh 5 || status=1
export WINEPREFIX="$root/build/$windows_tests/wineprefix" WINEARCH=$wine_arch WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$wine_loader" wineboot -i >/dev/null 2>&1
    wineserver -w
fi
run_tests "$windows_tests" Z:   # under Wine the Unix root is drive Z:
wineserver -k 2>/dev/null

# The real programs, started as the system starts a screen saver or its settings, the info tool
# and the control gallery, each on a display of its own.
e2e_passed=0; e2e_failed=0
for target in linux windows; do
    for script in saver info gallery settings; do
        result="$root/build/$target/$script-e2e-result"
        rm -f "$result"
        QUORVEL_WINDOWS_BUILD="$root/build/$windows_tests" QUORVEL_WINE_ARCH=$wine_arch \
            tests/e2e/$script-e2e.sh "$target" "$result" || status=1
        if [ -f "$result" ]; then
            read -r p f <"$result"
            e2e_passed=$((e2e_passed + p)); e2e_failed=$((e2e_failed + f))
        else
            e2e_failed=$((e2e_failed + 1))
        fi
    done
done

# The Linux program run by Debian's XScreenSaver daemon, as a person who picked it there runs it.
result="$root/build/linux/daemon-e2e-result"
rm -f "$result"
tests/e2e/daemon-e2e.sh "$result" || status=1
if [ -f "$result" ]; then
    read -r p f <"$result"
    e2e_passed=$((e2e_passed + p)); e2e_failed=$((e2e_failed + f))
else
    e2e_failed=$((e2e_failed + 1))
fi

# Sum the cases of every report; a program that crashed before writing its report counts as
# one failure through CTest's status above.
passed=0; failed=0
for report in build/linux/test-reports/*.xml build/linux-tsan/test-reports/*.xml build/linux-asan/test-reports/*.xml build/"$windows_tests"/test-reports/*.xml; do
    [ -f "$report" ] || continue
    line=$(grep -m1 '<testsuites' "$report")
    tests=$(sed -n 's/.* tests="\([0-9]*\)".*/\1/p' <<<"$line")
    fails=$(sed -n 's/.* failures="\([0-9]*\)".*/\1/p' <<<"$line")
    errors=$(sed -n 's/.* errors="\([0-9]*\)".*/\1/p' <<<"$line")
    disabled=$(sed -n 's/.* disabled="\([0-9]*\)".*/\1/p' <<<"$line")
    skipped=$(grep -c '<skipped' "$report")
    failed=$((failed + fails + errors))
    passed=$((passed + tests - fails - errors - disabled - skipped))
done
passed=$((passed + e2e_passed)); failed=$((failed + e2e_failed))
if [ "$status" -ne 0 ] && [ "$failed" -eq 0 ]; then failed=1; fi

echo "Tests took $(( $(date +%s) - started )) s."
echo "$passed passed, $failed failed"
[ "$status" -eq 0 ] && [ "$failed" -eq 0 ]
