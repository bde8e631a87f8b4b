#!/usr/bin/env bash
# Builds brisbolt.exe and starts it under Wine, in the build folder's own Wine
# prefix, on the current display (or a virtual one when there is none). The
# 32-bit program where this machine can run it, else the 64-bit build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/setup.sh

options=()
if [ "$(scripts/wine-bits.sh 2>/tmp/brisbolt-wine-bits.$$)" = 32 ]; then
    folder=win32 toolchain=mingw-i686.cmake loader=/usr/lib/wine/wine
    if runtime=$(scripts/i486-runtime.sh --find); then
        options=(-DBRISBOLT_I486_RUNTIME="$runtime")
        echo "Starting the 32-bit brisbolt.exe (build/win32)."
    else
        # The runtime for the i486 takes about 20 minutes to build, once;
        # this machine's processor runs a build with Debian's own runtime.
        folder=win32-wine
        options=(-DBRISBOLT_STOCK_RUNTIME=ON)
        echo "Starting a 32-bit build made for this machine's processor only (build/win32-wine): the i486 runtime"
        echo "is not built yet (./scripts/test.sh builds it, once). Windows users take build/win32/brisbolt.exe."
    fi
else
    folder=win64 toolchain=mingw-x86_64.cmake loader=/usr/lib/wine/wine64
    echo "Starting the 64-bit build (build/win64): $(cat /tmp/brisbolt-wine-bits.$$)."
fi
rm -f /tmp/brisbolt-wine-bits.$$
cmake --no-warn-unused-cli -S . -B "build/$folder" -DCMAKE_TOOLCHAIN_FILE="cmake/$toolchain" -DCMAKE_BUILD_TYPE=Release \
    "${options[@]}" >/dev/null
cmake --build "build/$folder" -j"$(nproc 2>/dev/null || echo 2)" --target brisbolt >/dev/null

export BRISBOLT_WINEPREFIX="$root/build/$folder/wineprefix" WINELOADER=$loader
if [ -z "${DISPLAY:-}" ]; then
    export DISPLAY=:77
    Xvfb "$DISPLAY" -screen 0 1024x768x24 >/dev/null 2>&1 &
    xvfb=$!
    trap 'kill $xvfb 2>/dev/null' EXIT
    sleep 1
    echo "No display was set: Brisbolt runs on the virtual display $DISPLAY."
fi
status=0
cmake/wine-run.sh "build/$folder/brisbolt.exe" "$@" || status=$?
WINEPREFIX="$BRISBOLT_WINEPREFIX" wineserver -k 2>/dev/null || true
exit $status
