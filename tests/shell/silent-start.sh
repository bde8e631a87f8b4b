#!/usr/bin/env bash
# The silent start end to end, with real input on the run's display:
# "brisbolt.exe /S" shows the apply display at the lower right, retires to
# the tray, opens the About box from the tray menu, closes it with "OK" and
# ends from the menu. Pictures of each stage go to the snapshot folder.
#   silent-start.sh <brisbolt.exe> <snapshot folder>
set -euo pipefail
exe=$1
shots=$2
export WINEDEBUG=-all
export WINELOADER=${WINELOADER:-/usr/lib/wine/wine}
export WINEPREFIX=${BRISBOLT_WINEPREFIX:?BRISBOLT_WINEPREFIX is not set}
mkdir -p "$shots"

road="silent start"
. "$(dirname "$0")/../support/screen-road.sh"
tray_menu() {
    xdotool mousemove 12 32 click 3
    sleep 1
    shot "$1"
    xdotool key "$2"
}

"$WINELOADER" "$exe" /S >/dev/null 2>&1 </dev/null &
program=$!
trap 'kill $program 2>/dev/null || true' EXIT

display=$(wait_for 'Brisbolt is accelerating your system...' 60) || fail "the apply display never showed"
eval "$(xdotool getwindowgeometry --shell "$display")"
screen=$(xdotool getdisplaygeometry)
expect_x=$(( (${screen% *} - 331) * 9 / 10 )) expect_y=$(( (${screen#* } - 181) * 9 / 10 ))
[ "$X" = "$expect_x" ] && [ "$Y" = "$expect_y" ] || fail "the display is at $X,$Y, not $expect_x,$expect_y"
shot silent_start_display
wait_gone 'Brisbolt is accelerating your system...' 60 || fail "the display did not end by itself"

wait_for 'Wine System Tray' 60 >/dev/null || fail "no notification area"
sleep 0.5
shot silent_start_tray
tray_menu silent_start_menu a
about=$(wait_for 'About' 60) || fail "the About box did not open from the tray menu"
sleep 0.5
shot silent_start_about
eval "$(xdotool getwindowgeometry --shell "$about")"
xdotool mousemove $((X + 165)) $((Y + 155)) click 1
wait_gone 'About' 60 || fail "OK did not close the About box"

tray_menu silent_start_menu_close c
wait_ended $program 60 || fail "Close did not end the program"
trap - EXIT

# Only exactly "/S" is the silent start: "/s" opens the wizard instead.
"$WINELOADER" "$exe" /s >/dev/null 2>&1 </dev/null &
program=$!
trap 'kill $program 2>/dev/null || true' EXIT
wait_for 'Brisbolt - the full-featured Internet and LAN acceleration tool' 60 >/dev/null ||
    fail "\"/s\" did not open the wizard"
xdotool search --name 'Brisbolt is accelerating your system...' >/dev/null 2>&1 && fail "\"/s\" showed the apply display"
kill $program 2>/dev/null
trap - EXIT
echo "silent start: display at $expect_x,$expect_y, tray, About opened and closed, program ended; \"/s\" opens the wizard"
