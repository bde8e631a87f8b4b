#!/usr/bin/env bash
# Builds every target and runs every test: the portable core under the
# sanitizers on Linux; the 32-bit program's import and instruction checks
# (after the i486 runtime it links, built once per machine) and, where the
# machine can run 32-bit code, its Wine suites; the same suites on the 64-bit
# build under 64-bit Wine, which every machine runs.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/setup.sh || exit 1

jobs=$(nproc 2>/dev/null || echo 2)
status=0

echo "== format (clang-format, .clang-format)"
unformatted=$(git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run 2>&1 | grep -o '^[^:]*:[0-9]*:[0-9]*: warning' | cut -d: -f1 | sort -u)
if [ -n "$unformatted" ]; then
    echo "not formatted (clang-format -i these files):"; echo "$unformatted" | sed 's/^/  /'
fi

build() {  # folder [toolchain [cmake options]]
    local folder=$1 toolchain=${2:-}
    shift $(($# < 2 ? $# : 2))
    cmake --no-warn-unused-cli -S . -B "build/$folder" ${toolchain:+-DCMAKE_TOOLCHAIN_FILE=cmake/$toolchain} \
        -DCMAKE_BUILD_TYPE="$([ -n "$toolchain" ] && echo Release || echo Debug)" "$@" >/dev/null &&
        cmake --build "build/$folder" -j"$jobs" >/dev/null
}

echo "== i486 runtime (scripts/i486-runtime.sh: once per machine, about 20 minutes; then at once)"
started=$(date +%s)
runtime=$(scripts/i486-runtime.sh) || { echo "the i486 runtime could not be built"; exit 1; }
echo "$runtime ($(($(date +%s) - started)) s)"

echo "== native build (portable core, address and undefined-behaviour sanitizers)"
build native || status=1
echo "== win32 build (MinGW-w64 for the i486: the program and its installer, brisbolt-setup.exe)"
build win32 mingw-i686.cmake -DBRISBOLT_I486_RUNTIME="$runtime" || status=1
echo "== win64 build (MinGW-w64, x86_64: the second test target, with a test-only amd64 installer)"
build win64 mingw-x86_64.cmake || status=1
[ $status -eq 0 ] || { echo "build failed"; exit 1; }

echo "== native tests"
(cd build/native && ctest --output-on-failure) || status=1

bits=$(scripts/wine-bits.sh 2>/tmp/brisbolt-wine-bits.$$)
why=$(cat /tmp/brisbolt-wine-bits.$$); rm -f /tmp/brisbolt-wine-bits.$$
if [ "$bits" = 32 ]; then
    echo "== win32 tests: import check, then the suites under 32-bit Wine"
    (cd build/win32 && ctest --output-on-failure) || status=1
else
    echo "== win32 tests: import, resource and installer checks only; the 32-bit Wine suites do not run: $why"
    (cd build/win32 && ctest --output-on-failure -L static) || status=1
fi
echo "== win64 tests under 64-bit Wine"
(cd build/win64 && ctest --output-on-failure) || status=1

[ "$bits" = 32 ] && ran="win32 and win64" || ran="win64 only (win32: import check)"
echo "== Wine suites run: $ran"
[ -z "$unformatted" ] || { echo "== format check failed (see the top)"; status=1; }
exit $status
