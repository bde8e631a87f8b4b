#!/usr/bin/env bash
# Brings a Debian 12 machine (run as root) to the point where every build and
# every test suite works. Quick when everything is already there.
set -euo pipefail

packages=(
    g++-mingw-w64-i686-win32 binutils-mingw-w64-i686       # the product, 32-bit
    g++-mingw-w64-x86-64-win32 binutils-mingw-w64-x86-64   # the 64-bit test build
    libz-mingw-w64-dev                                     # unpacks the pictures
    cmake g++ make googletest python3 gzip clang-format
    xvfb xdotool imagemagick                               # display, clicks, pictures
    nsis                                                   # makensis: the installer
    wine wine64 wine32:i386                                # wine32 where the machine can run it
)

need=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || need+=("$package")
done
[ ${#need[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
echo "setup: installing ${need[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
fi
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
