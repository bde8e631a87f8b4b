#!/usr/bin/env bash
# Builds brisbolt.exe and starts it under Wine, in the build folder's own
# Wine prefix, on the current display (or a virtual one when there is none).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/setup.sh
cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/win32 -j"$(nproc 2>/dev/null || echo 2)" --target brisbolt >/dev/null

export BRISBOLT_WINEPREFIX="$root/build/win32/wineprefix"
if [ -z "${DISPLAY:-}" ]; then
    export DISPLAY=:77
    Xvfb "$DISPLAY" -screen 0 1024x768x24 >/dev/null 2>&1 &
    xvfb=$!
    trap 'kill $xvfb 2>/dev/null' EXIT
    sleep 1
    echo "No display was set: Brisbolt runs on the virtual display $DISPLAY."
fi
status=0
cmake/wine-run.sh build/win32/brisbolt.exe "$@" || status=$?
WINEPREFIX="$BRISBOLT_WINEPREFIX" wineserver -k 2>/dev/null || true
exit $status
