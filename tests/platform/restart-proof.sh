#!/usr/bin/env bash
# Proves the real restart call once, on a throwaway copy of the run's Wine
# prefix: ExitWindowsEx ends that copy's whole session, never the run's.
#   restart-proof.sh <test program> <scratch folder>
set -euo pipefail
program=$1
scratch=$2
export WINEDEBUG=-all
export WINELOADER=${WINELOADER:-/usr/lib/wine/wine}
. "$(dirname "$0")/../support/throwaway-prefix.sh"
use_throwaway_prefix "$scratch"
result=$scratch/result.txt

started=$(date +%s)
status=0
BRISBOLT_RESTART_PROOF="Z:${result//\//\\}" timeout 60 "$WINELOADER" "$program" \
    --gtest_also_run_disabled_tests --gtest_filter=WinRebootProof.DISABLED_RealRestart \
    >"$scratch/out.txt" 2>&1 </dev/null || status=$?
elapsed=$(( $(date +%s) - started ))

if [ ! -s "$result" ]; then
    echo "the restart call never returned"; cat "$scratch/out.txt"; exit 1
fi
if [ "$(tr -d '\r\n' <"$result")" != 1 ]; then
    echo "ExitWindowsEx(EWX_REBOOT) failed"; exit 1
fi
# The program waits 30 s and then ends by itself with 9: ending sooner
# means the session took it down.
if [ "$status" = 9 ] || [ "$status" = 124 ] || [ "$elapsed" -ge 30 ]; then
    echo "the session did not end (status $status after ${elapsed}s)"; exit 1
fi
echo "restart requested and the throwaway session ended after ${elapsed}s (status $status)"
