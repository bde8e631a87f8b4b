#!/usr/bin/env bash
# The main road with the keyboard alone, on real windows (Windows 2000,
# registry from a fixture): from the tray the wizard of the first run, its
# explanation closed with Return, "DSL (recommended setting 2)" chosen with
# the arrows, "Automatic" with Tab and Return, "Accelerate Me !" with Return
# once the preparation is done, Esc at the restart question (which answers
# nothing), Return on "Reboot Later". The preset is then in the record and
# the system, the program sits in the tray with the restart offered there,
# and it did not restart. Last, Esc on the wizard is "Min": back to the tray.
# Pictures of each stage go to the snapshot folder.
#   keyboard-road.sh <brisbolt.exe> <fixture folder> <snapshot folder>
set -euo pipefail
exe=$1
fixtures=$2
shots=$3
work=$(mktemp -d)
program=

road="keyboard road"
. "$(dirname "$0")/../support/screen-road.sh"
cleanup() {
    [ -n "$program" ] && kill "$program" 2>/dev/null || true
    load_reg "$fixtures/clean.reg"
    rm -rf "$work"
}
trap cleanup EXIT
running() { kill -0 "$program" 2>/dev/null; }
# The keyboard to a window of the program, then keys, one after another.
keys_to() {  # window keys...
    local window=$1
    shift
    timeout 5 xdotool windowfocus --sync "$window" 2>/dev/null || true
    sleep 0.3
    xdotool key --delay 250 "$@"
    sleep 0.5
}
tray_menu() {  # key: opens the tray menu and takes the item of that key
    xdotool mousemove 12 32 click 3
    sleep 1
    xdotool key "$1"
}

wizard_title='Brisbolt - the full-featured Internet and LAN acceleration tool'
automatic_title='Brisbolt - Automatic'
apply_title='Brisbolt is accelerating your system...'
user='HKCU\Software\Corvelle\Brisbolt'
tcpip='HKLM\System\CurrentControlSet\Services\Tcpip\Parameters'

load_reg "$fixtures/clean.reg"
load_reg "$fixtures/win2k.reg"
start win2k /S
wait_for 'Wine System Tray' 60 >/dev/null || fail "no notification area after \"/S\""
wait_gone "$apply_title" 60 || fail "the silent display did not end"
sleep 1
without_restart=$(tray_menu_height road_keys_tray_menu)

# The wizard's first run: the explanation shows, the keyboard is on "HIDE".
tray_menu s
wizard=$(wait_for "$wizard_title" 60) || fail "\"Change Settings\" did not open the wizard"
sleep 1
shot road_keys_wizard_first_run
[ -n "$(value 'HKLM\Software\Corvelle\Brisbolt\Originals' Orig_ttl_TF)" ] || fail "the first run saved no originals for the machine"
keys_to "$wizard" Return
# From "?" back past "Advanced" and "Automatic" to step 1 (dial-up, nothing
# stored yet), then two down.
keys_to "$wizard" shift+Tab shift+Tab shift+Tab Down Down
wait_until 60 has_value "$user" connect D2 || fail "the arrows did not store \"DSL (recommended setting 2)\" (D2)"
shot road_keys_wizard_chosen
keys_to "$wizard" Tab Return
automatic=$(wait_for "$automatic_title" 60) || fail "Tab and Return did not open \"Automatic\""
# The preset is stored when the last item has been prepared; the keyboard
# is then on "Accelerate Me !".
wait_until 60 has_value "$user" mtu 1492 || fail "the automatic window stored no preset"
sleep 1
shot road_keys_automatic_ready
keys_to "$automatic" Return
apply=$(wait_for "$apply_title" 60) || fail "Return did not press \"Accelerate Me !\""
wait_until 60 has_value "$tcpip" TCPWindowSize 0x24860 || fail "the apply run wrote no receive window"
# The question comes a quarter second after the writes.
sleep 2
shot road_keys_apply_prompt
keys_to "$apply" Escape
sleep 1
shown_window "$apply_title" >/dev/null || fail "Esc answered the restart question"
running || fail "Esc at the restart question ended the program"
keys_to "$apply" Return
wait_gone "$apply_title" 60 || fail "Return on \"Reboot Later\" did not close the apply window"
sleep 1

# Exactly the "D2" preset of the NT family, in the record and in the system.
for v in mtu:1492 ndi:32 rwin:149600 ttl:128 connect:D2; do expect "$user" "${v%%:*}" "${v#*:}"; done
expect "$tcpip" TCPWindowSize 0x24860
expect "$tcpip" DefaultTTL 0x80
expect "$tcpip" EnablePMTUDiscovery 0x1
running || fail "the program ended after \"Reboot Later\" (a restart?)"
with_restart=$(tray_menu_height road_keys_tray_menu_restart)
[ "$with_restart" -gt "$without_restart" ] ||
    fail "the tray menu offers no restart after \"Reboot Later\" ($with_restart vs $without_restart)"

# Esc on the wizard is "Min": to the tray, no restart.
tray_menu s
wizard=$(wait_for "$wizard_title" 60) || fail "\"Change Settings\" did not open the wizard again"
sleep 1
keys_to "$wizard" Escape
wait_gone "$wizard_title" 60 || fail "Esc did not send the wizard to the tray"
# A restart would take the whole session down within seconds.
for _ in $(seq 150); do
    running || fail "Esc on the wizard ended the program (a restart?)"
    sleep 0.1
done
tray_menu c
wait_ended "$program" 60 || fail "Close did not end the program"
program=
echo "keyboard road: Windows 2000 automatic preset chosen and applied with the keyboard; pictures in $shots"
