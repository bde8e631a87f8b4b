#!/usr/bin/env bash
# Tells whether this machine can run 32-bit Windows programs under Wine:
# prints "32" when it can, else "64" and the reason on standard error. Some
# 64-bit kernels have no 32-bit support at all ("Exec format error"), and
# BRISBOLT_WINE64_ONLY=1 takes the 64-bit road on purpose.
if [ "${BRISBOLT_WINE64_ONLY:-0}" = 1 ]; then
    echo "BRISBOLT_WINE64_ONLY=1 is set" >&2
    echo 64
elif ! [ -x /usr/lib/wine/wine ]; then
    echo "32-bit Wine (/usr/lib/wine/wine) is not installed" >&2
    echo 64
elif ! reason=$(/usr/lib/wine/wine --version 2>&1 >/dev/null </dev/null); then
    echo "this machine cannot run 32-bit programs (${reason##*: })" >&2
    echo 64
else
    echo 32
fi
