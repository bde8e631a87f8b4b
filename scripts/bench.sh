#!/usr/bin/env bash
# Size of the shipped program: builds the 32-bit brisbolt.exe and prints its
# size (stripped, as built) with the size of each section. The goal is 1 MiB
# or less, every picture, outline, icon and sound included.
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
if [ "$size" -le "$limit" ]; then echo "size: within the goal"; else echo "size: OVER the goal"; exit 1; fi
