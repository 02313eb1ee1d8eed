#!/usr/bin/env bash
# Starts the control gallery on a virtual display of its own and writes a picture of the screen.
#   tools/gallery/screenshot.sh linux|windows OUT.png
# The Linux build runs as it is; the Windows build (windows-x64, as the Windows tests use) runs
# under Wine with the private prefix inside its build folder. Both must have been built.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
target=${1:?linux or windows}
out=$(realpath -m "${2:?output picture}")

source tools/virtual-display.sh
trap 'kill "${gallery_pid:-}" 2>/dev/null; [ "$target" = windows ] && wineserver -k 2>/dev/null; stop_virtual_display' EXIT
start_virtual_display 140 160 1024x768

if [ "$target" = linux ]; then
    build/linux/bin/quorvel-gallery &
else
    export WINEPREFIX="$root/build/windows-x64/wineprefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
        wineserver -w
    fi
    (cd build/windows-x64/bin && exec /usr/lib/wine/wine64 ./quorvel-gallery.exe) &
fi
gallery_pid=$!
sleep "${GALLERY_SETTLE_SECONDS:-5}"
import -window root "$out"
echo "$out"
