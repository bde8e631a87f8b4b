#!/usr/bin/env bash
# Builds both targets and runs every test: the portable core under the
# sanitizers on Linux, then the Windows program's suites under Wine.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/setup.sh || exit 1

jobs=$(nproc 2>/dev/null || echo 2)
status=0

echo "== native build (portable core, address and undefined-behaviour sanitizers)"
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Debug >/dev/null &&
    cmake --build build/native -j"$jobs" >/dev/null || status=1

echo "== win32 build (MinGW-w64, i686)"
cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null &&
    cmake --build build/win32 -j"$jobs" >/dev/null || status=1

[ $status -eq 0 ] || { echo "build failed"; exit 1; }

echo "== native tests"
(cd build/native && ctest --output-on-failure) || status=1
echo "== win32 tests under Wine"
(cd build/win32 && ctest --output-on-failure) || status=1
exit $status
