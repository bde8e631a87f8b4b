#!/usr/bin/env bash
# Brings a Debian 12 machine (run as root) to the point where every build and
# every test suite works. Quick when everything is already there.
#
# Two steps, so that one missing package never keeps the rest out: first what
# the 64-bit road needs (which includes building the i486 runtime and the
# installer's stubs), then wine32:i386 on its own. A machine that cannot get
# wine32 stays on the 64-bit road and says so; only a failed install of the
# first set stops the script.
set -uo pipefail

packages=(
    g++-mingw-w64-i686-win32 binutils-mingw-w64-i686       # the product, 32-bit
    g++-mingw-w64-x86-64-win32 binutils-mingw-w64-x86-64   # the 64-bit test build
    libz-mingw-w64-dev                                     # unpacks the pictures
    cmake g++ make googletest python3 gzip clang-format
    xvfb xdotool imagemagick                               # display, clicks, pictures
    nsis                                                   # makensis: the installer
    wine wine64                                            # the 64-bit road, on every machine
    gcc-12-source libgmp-dev libmpfr-dev libmpc-dev        # the i486 runtime (scripts/i486-runtime.sh)
    dpkg-dev xz-utils bzip2 patch scons                    # its sources and the installer's stubs
)

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo

missing() {  # the named packages that are not installed
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || echo "$package"
    done
}

updated=no
update() {  # apt-get update, tried three times; a list that still fails is only a warning
    [ $updated = yes ] && return
    updated=yes
    local try
    for try in 1 2 3; do
        $SUDO apt-get update -qq >/tmp/brisbolt-apt-update.$$ 2>&1 && { rm -f /tmp/brisbolt-apt-update.$$; return; }
        sleep $((try * 5))
    done
    echo "setup: warning: apt-get update failed for some lists, going on with what it has ($(grep -m1 -E '^(E|W):' /tmp/brisbolt-apt-update.$$ | cut -c1-160))"
    rm -f /tmp/brisbolt-apt-update.$$
}

install() {  # packages...
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "$@" >/tmp/brisbolt-apt-install.$$ 2>&1
    local status=$?
    [ $status -eq 0 ] || tail -n 5 /tmp/brisbolt-apt-install.$$ | sed 's/^/setup:   /'
    rm -f /tmp/brisbolt-apt-install.$$
    return $status
}

mapfile -t need < <(missing "${packages[@]}")
if [ ${#need[@]} -gt 0 ]; then
    echo "setup: installing ${need[*]}"
    update
    install "${need[@]}" || { echo "setup: could not install ${need[*]}"; exit 1; }
fi

# 32-bit Wine. Needs the i386 architecture, and its lists in step with the
# amd64 ones; a mirror in the middle of a sync can refuse it for a while.
if [ "${BRISBOLT_WINE64_ONLY:-0}" != 1 ] && [ -n "$(missing wine32:i386)" ]; then
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        $SUDO dpkg --add-architecture i386
        updated=no
    fi
    update
    echo "setup: installing wine32:i386"
    install wine32:i386 ||
        echo "setup: wine32:i386 cannot be installed here: this machine stays on the 64-bit road (the 32-bit Wine suites do not run)"
fi
exit 0
