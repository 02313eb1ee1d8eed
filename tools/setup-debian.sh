#!/usr/bin/env bash
# Installs, from Debian's packages, everything Quorvel needs to build both targets and run
# their tests. Packages that are already installed are left alone, so a second run is quick
# and changes nothing.
set -euo pipefail

PACKAGES=(
    cmake ninja-build g++ pkg-config
    g++-mingw-w64-i686-posix mingw-w64-i686-dev
    g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
    googletest libgtest-dev libstb-dev
    libgtk-3-dev libpango1.0-dev libcairo2-dev libjpeg-dev
    libx11-dev libxext-dev libxi-dev libxfixes-dev
    libwebkit2gtk-4.1-0
    fonts-league-spartan fonts-dejavu-core
    xvfb xauth xdotool x11-utils imagemagick xscreensaver
    wine wine32:i386 wine64
    clang libclang-rt-14-dev
)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for pkg in "${PACKAGES[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$pkg")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
# The 32-bit Wine needs the i386 architecture before its packages can be found.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
fi
as_root apt-get update -q
as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
