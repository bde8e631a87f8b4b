#!/usr/bin/env bash
# Runs a Windows program under Wine in the build's private prefix.
# BRISBOLT_WINEPREFIX names the prefix; it is created on first use.
# WINELOADER names the Wine loader: /usr/lib/wine/wine for 32-bit programs
# (the default), /usr/lib/wine/wine64 for 64-bit ones.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
export WINEDEBUG=-all
export WINELOADER=${WINELOADER:-/usr/lib/wine/wine}
export WINEPREFIX=${BRISBOLT_WINEPREFIX:?BRISBOLT_WINEPREFIX is not set}
"$here/wine-session.sh" prefix

# Wine's own background services inherit the output of the program that
# started them and outlive it; give them a file, never the caller's pipe.
out=$(mktemp)
trap 'rm -f "$out"' EXIT
status=0
"$WINELOADER" "$@" >"$out" 2>&1 </dev/null || status=$?
cat "$out"
exit $status
