#!/usr/bin/env bash
# Size and speed of the shipped program. Builds the 32-bit brisbolt.exe and
# prints its size (stripped, as built) with the size of each section: the
# goal is 1 MiB or less, every picture, outline, icon and sound included.
# Then the start-up speed under 64-bit Wine, and under 32-bit Wine where it
# runs (scripts/bench-speed.sh): start to the dispatcher and to the wizard
# against bare programs, and the length of the "/S" display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/setup.sh
cmake --no-warn-unused-cli -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/win32 -j"$(nproc 2>/dev/null || echo 2)" --target brisbolt >/dev/null

exe=build/win32/brisbolt.exe
stripped=$(mktemp --suffix=.exe)
trap 'rm -f "$stripped"' EXIT
i686-w64-mingw32-strip -o "$stripped" "$exe"
size=$(stat -c %s "$stripped")
limit=$((1024 * 1024))

echo "brisbolt.exe, stripped: $size bytes ($((size / 1024)) KiB; goal 1024 KiB)"
echo "section        bytes"
i686-w64-mingw32-size -A "$stripped" | awk '$1 ~ /^\./ && $1 != ".bss" { printf "  %-10s %9d\n", $1, $2 }'
echo "  (.bss takes no room in the file; .rsrc holds the pictures, outlines, icon and sound)"
within=1
if [ "$size" -le "$limit" ]; then echo "size: within the goal"; else echo "size: OVER the goal"; within=0; fi

speed_targets="brisbolt brisbolt_start_timer brisbolt_bare_tray brisbolt_bare_wizard"
cmake --no-warn-unused-cli -S . -B build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/win64 -j"$(nproc 2>/dev/null || echo 2)" --target $speed_targets >/dev/null
echo "speed, 64-bit build under 64-bit Wine:"
BRISBOLT_BENCH_DISPLAY=79 bash scripts/bench-speed.sh "$root/build/win64" /usr/lib/wine/wine64
if [ "$(scripts/wine-bits.sh 2>/dev/null)" = 32 ]; then
    cmake --build build/win32 -j"$(nproc 2>/dev/null || echo 2)" --target $speed_targets >/dev/null
    echo "speed, 32-bit program under 32-bit Wine:"
    BRISBOLT_BENCH_DISPLAY=78 bash scripts/bench-speed.sh "$root/build/win32" /usr/lib/wine/wine
fi
[ "$within" = 1 ]
