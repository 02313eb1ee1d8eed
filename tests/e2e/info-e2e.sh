#!/usr/bin/env bash
# End-to-end test of the info tool: runs quorvel-info as a person would (the Linux program, or
# the Windows one under Wine) and compares what it prints with what the machine says of itself.
# Usage: info-e2e.sh linux|windows RESULT-FILE
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
if [ "$wine_arch" = win64 ]; then wine() { /usr/lib/wine/wine64 "$@"; }; fi

source tools/virtual-display.sh
start_virtual_display 161 200 1024x768 || exit 1
cleanup() {
    [ "$target" = windows ] && wineserver -k 2>/dev/null
    stop_virtual_display
}
trap cleanup EXIT

if [ "$target" = windows ]; then
    export WINEPREFIX="$windows_build/wineprefix" WINEARCH=$wine_arch WINEDEBUG=-all
fi

# Runs the tool with the given arguments from the project's folder; the output without the
# carriage returns of Windows line ends.
info() {
    if [ "$target" = linux ]; then
        "$root/build/linux/bin/quorvel-info" "$@" 2>/dev/null
    else
        wine "$windows_build/bin/quorvel-info.exe" "$@" 2>/dev/null | tr -d '\r'
    fi
}
# The value of the line with Caption in Output (the first one when captions repeat).
value_of() { sed -n "s/^$2: //p" <<<"$1" | head -n 1; }

check() {   # name, then a command that succeeds when the case passes
    local name=$1; shift
    if "$@"; then echo "PASS $target info: $name"; passed=$((passed + 1)); else echo "FAIL $target info: $name"; failed=$((failed + 1)); fi
}
same() {   # what, got, wanted
    [ "$2" = "$3" ] || { echo "  $1: '$2', wanted '$3'"; return 1; }
}

output=$(info)
echo "$output" | sed 's/^/  | /'

memory_bytes=$(( $(sed -n 's/^MemTotal: *\([0-9]*\) kB/\1/p' /proc/meminfo) * 1024 ))
version=$(sed -n 's/^project(Quorvel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
if [ "$target" = linux ]; then
    directory=$root
else
    directory="Z:${root//\//\\}"
fi

case_one_line_per_item() {
    same "lines" "$(wc -l <<<"$output")" 45 &&
        same "first line" "$(head -n 1 <<<"$output" | cut -d: -f1)" Username &&
        same "last line" "$(tail -n 1 <<<"$output" | cut -d: -f1)" "CPU Speed"
}
# Wine counts the machine's memory in pages of its own and may leave out the last of them, so the
# Windows program is allowed to miss up to 64 KiB of what the kernel reports.
memory_slack=$([ "$target" = linux ] && echo 0 || echo 65536)
near_memory() {   # what, got, wanted bytes
    local got=$2
    [[ "$got" =~ ^[0-9]+$ ]] && [ $(( $3 - got )) -ge 0 ] && [ $(( $3 - got )) -le "$memory_slack" ] ||
        { echo "  $1: '$got', wanted $3 (less at most $memory_slack)"; return 1; }
}
case_memory_size() {
    local bytes
    bytes=$(value_of "$output" "Memory size")
    near_memory "memory size" "$bytes" "$memory_bytes" &&
        same "memory size in MiB" "$(value_of "$(info --divisor 1048576)" "Memory size")" $((bytes / 1048576)) &&
        same "memory size with divisor 0" "$(value_of "$(info --divisor 0)" "Memory size")" "$bytes"
}
case_processors() { same "processors" "$(value_of "$output" "Number of processors")" $(( $(nproc --all) & 255 )); }
case_user() { same "user" "$(value_of "$output" Username)" "$(id -un)"; }
case_directory() { same "current directory" "$(value_of "$output" "Current directory")" "$directory"; }
# "Version" is the caption of the system's version and of the four version entries after it.
case_version_resource() {
    local versions
    versions=$(sed -n 's/^Version: //p' <<<"$output")
    same "product name" "$(value_of "$output" ProductName)" Quorvel &&
        same "product version" "$(sed -n 2p <<<"$versions")" "$version.0" &&
        same "file version" "$(sed -n 4p <<<"$versions")" "$version.0"
}
case_format() { same "year" "$(value_of "$(info --format yyyy)" "Date and time")" "$(date +%Y)"; }
case_bad_argument() { info --divisor x >/dev/null; same "status of a bad divisor" "$?" 2; }

check "45 lines of Caption: value" case_one_line_per_item
check "memory size in bytes as the machine has it" case_memory_size
check "number of processors" case_processors
check "user name" case_user
check "current directory" case_directory
check "product name and version from the version resource" case_version_resource
check "--format writes the date" case_format
check "a bad argument ends with status 2" case_bad_argument

echo "$passed $failed" >"$result_file"
