#!/usr/bin/env bash
# The silent start end to end, with real input on the run's display:
# "brisbolt.exe /S" shows the apply display at the lower right, retires to
# the tray; a second start says that Brisbolt is running and the running
# copy opens its wizard; then the About box from the tray menu, closed with
# "OK", and the end from the menu. Pictures of each stage go to the snapshot folder.
#   silent-start.sh <brisbolt.exe> <snapshot folder>
set -euo pipefail
exe=$1
shots=$2

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
# A second start (the Start menu, with Brisbolt started with Windows): the
# message, then the running copy's wizard; the second copy ends.
"$WINELOADER" "$exe" >/dev/null 2>&1 </dev/null &
second=$!
box=$(wait_for 'Brisbolt' 60) || fail "a second start did not say that Brisbolt is running"
sleep 0.5
shot silent_start_second
timeout 5 xdotool windowfocus --sync "$box" 2>/dev/null || true
xdotool key Return
wizard_title='Brisbolt - the full-featured Internet and LAN acceleration tool'
wizard=$(wait_for "$wizard_title" 60) || fail "the running copy did not open its wizard for the second start"
wait_ended $second 60 || fail "the second copy did not end"
kill -0 $program 2>/dev/null || fail "the running copy ended"
sleep 0.5
shot silent_start_second_wizard
# Alt+F4 on the wizard is "Min": back to the tray.
timeout 5 xdotool windowfocus --sync "$wizard" 2>/dev/null || true
xdotool key alt+F4
wait_gone "$wizard_title" 60 || fail "Alt+F4 did not send the wizard to the tray"

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
echo "silent start: display at $expect_x,$expect_y, tray, a second start opened the running copy's wizard, About opened and closed, program ended; \"/s\" opens the wizard"
