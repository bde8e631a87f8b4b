#!/usr/bin/env bash
# Manages the private Wine prefix of a build folder.
#   prefix  create the prefix once (with the Windows version of each test program)
#   start   create the prefix, start the virtual display named by DISPLAY
#           and keep one wineserver running for the whole test run; first
#           keep a copy of the prefix taken while no server holds its
#           registry (<prefix>.pristine), for the tests that need a prefix
#           of their own
#   stop    end the wineserver, every Wine process of the prefix, and the display
# WINELOADER names the Wine loader (32-bit by default; wine64 for a 64-bit
# build, whose prefix is then a 64-bit one).
set -euo pipefail
export WINEDEBUG=-all
export WINELOADER=${WINELOADER:-/usr/lib/wine/wine}
export WINEPREFIX=${BRISBOLT_WINEPREFIX:?BRISBOLT_WINEPREFIX is not set}

# Wine plays sound through ALSA, which fills the terminal with errors on a
# machine without a sound card. There the prefix gets no sound driver at all
# (Wine's null driver): the program's click plays to nothing, quietly. With a
# card the choice is Wine's own. Decided once per prefix.
choose_sound() {
    [ -f "$WINEPREFIX/.brisbolt-sound" ] && return 0
    if ! grep -qs '^ *[0-9]' /proc/asound/cards; then
        local reg
        reg=$(mktemp --suffix=.reg)
        printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Drivers]\r\n"Audio"=""\r\n' >"$reg"
        "$WINELOADER" regedit /S "Z:${reg//\//\\}" >/dev/null 2>&1 </dev/null 9>&- || true
        rm -f "$reg"
    fi
    touch "$WINEPREFIX/.brisbolt-sound"
}

make_prefix() {
    [ -f "$WINEPREFIX/.brisbolt-ready" ] && { choose_sound; return 0; }
    mkdir -p "$WINEPREFIX"
    exec 9>"$WINEPREFIX.lock"
    flock 9
    if [ ! -f "$WINEPREFIX/.brisbolt-ready" ]; then
        # A 32-bit loader gets a plain 32-bit prefix, as on a machine with
        # only wine32, whether or not wine64 is installed too.
        arch=win64
        [ "$WINELOADER" = /usr/lib/wine/wine ] && arch=win32
        WINEARCH=$arch "$WINELOADER" wineboot -i >/dev/null 2>&1 </dev/null 9>&- || true
        # Each test program copy answers GetVersionExA as one Windows version.
        reg=$(mktemp --suffix=.reg)
        {
            printf 'REGEDIT4\r\n\r\n'
            for v in win95 win98 winme nt40 win2k winxp; do
                printf '[HKEY_CURRENT_USER\\Software\\Wine\\AppDefaults\\brisbolt_tests_%s.exe]\r\n"Version"="%s"\r\n\r\n' "$v" "$v"
            done
            # Brisbolt itself runs as the newest Windows it tunes: Wine answers
            # as Windows 7 otherwise, where Brisbolt says that Windows tunes
            # itself and changes nothing.
            printf '[HKEY_CURRENT_USER\\Software\\Wine\\AppDefaults\\brisbolt.exe]\r\n"Version"="winxp"\r\n\r\n'
            # Test programs' windows are not handed to a window manager: the
            # virtual display has none, and Wine would wait for it at every
            # show and hide.
            for exe in brisbolt_gui_tests.exe brisbolt_test_copy.exe; do
                printf '[HKEY_CURRENT_USER\\Software\\Wine\\AppDefaults\\%s\\X11 Driver]\r\n"Managed"="N"\r\n\r\n' "$exe"
            done
        } >"$reg"
        "$WINELOADER" regedit /S "Z:${reg//\//\\}" >/dev/null 2>&1 </dev/null 9>&-
        rm -f "$reg"
        choose_sound
        wineserver -w
        touch "$WINEPREFIX/.brisbolt-ready"
        # The copy for the tests with a prefix of their own is taken now,
        # before any Brisbolt runs here (the start command opens the wizard,
        # which saves the network values it finds).
        keep_pristine_copy
    fi
    flock -u 9
}

# A running wineserver keeps registry changes in memory and writes them out
# later, so a prefix copied under a live server is half old, half new. The
# copy is taken when the prefix is made, after the server has ended and
# written everything (or, for a prefix made before there were copies, at the
# first test run).
keep_pristine_copy() {
    local pristine=$WINEPREFIX.pristine
    [ -f "$pristine/.brisbolt-ready" ] && return 0
    rm -rf "$pristine" "$pristine.part"
    cp -a "$WINEPREFIX" "$pristine.part"
    mv "$pristine.part" "$pristine"
}

start_display() {
    [ -n "${DISPLAY:-}" ] || return 0
    local n=${DISPLAY#:} pid
    if [ -e "/tmp/.X11-unix/X$n" ]; then
        # A socket left behind by a server that has gone is no display.
        pid=$(tr -d ' ' <"/tmp/.X$n-lock" 2>/dev/null || true)
        [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null && return 0
        rm -f "/tmp/.X11-unix/X$n" "/tmp/.X$n-lock"
    fi
    Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 </dev/null 9>&- &
    echo $! >"$WINEPREFIX.xvfb"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
}

stop_display() {
    [ -f "$WINEPREFIX.xvfb" ] || return 0
    kill "$(cat "$WINEPREFIX.xvfb")" 2>/dev/null || true
    rm -f "$WINEPREFIX.xvfb"
}

case "${1:-}" in
    prefix) make_prefix ;;
    # The server must not hold on to the caller's output, or CTest waits for it.
    # A server left from an earlier run (or still shutting down) is ended
    # first, so the new one is not refused.
    start)  start_display; make_prefix
            wineserver -k >/dev/null 2>&1 </dev/null || true
            wineserver -w >/dev/null 2>&1 </dev/null || true
            keep_pristine_copy
            wineserver -p >/dev/null 2>&1 </dev/null 9>&- ;;
    stop)   wineserver -k 2>/dev/null || true; stop_display ;;
    *) echo "usage: $0 prefix|start|stop" >&2; exit 2 ;;
esac
