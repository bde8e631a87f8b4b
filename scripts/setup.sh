#!/usr/bin/env bash
# Brings a Debian 12 machine (run as root) to the point where both builds and
# both test suites work. Quick when everything is already there.
set -euo pipefail

need=()
command -v i686-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-i686-posix)
command -v i686-w64-mingw32-windres   >/dev/null || need+=(binutils-mingw-w64-i686)
command -v cmake  >/dev/null || need+=(cmake)
command -v g++    >/dev/null || need+=(g++)
command -v make   >/dev/null || need+=(make)
command -v Xvfb   >/dev/null || need+=(xvfb)
command -v xdotool >/dev/null || need+=(xdotool)
[ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
if ! command -v wine >/dev/null || ! dpkg -s wine32:i386 >/dev/null 2>&1; then
    need+=(wine wine32:i386)
fi

if [ ${#need[@]} -eq 0 ]; then
    exit 0
fi

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
echo "setup: installing ${need[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
fi
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
