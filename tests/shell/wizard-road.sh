#!/usr/bin/env bash
# The main road end to end, with real clicks on real windows:
#  1. Windows 2000 (registry from a fixture), first start: the originals are
#     saved and the explanation panel shows; "DSL (recommended setting 2)",
#     "Automatic", "Accelerate Me !", the apply run, "Reboot Later"; the
#     system then holds exactly the preset and the tray menu offers the
#     restart.
#  2. Windows 98 (registry from a fixture), started with "/S": from the tray
#     "Change Settings", "Advanced", a manual MTU, the line condition "Bad"
#     and "Good" again, "Accelerate Me !", the apply run, "Reboot Later";
#     then the wizard again, another connection type and Alt+F4: to the
#     tray, no restart.
# Pictures of every window and state go to the snapshot folder.
#   wizard-road.sh <brisbolt.exe> <fixture folder> <snapshot folder>
set -euo pipefail
exe=$1
fixtures=$2
shots=$3
work=$(mktemp -d)
program=

stop_program() { [ -n "$program" ] && kill "$program" 2>/dev/null || true; program=; }
cleanup() {
    stop_program
    load_reg "$fixtures/clean.reg"
    rm -rf "$work"
}
road="wizard road"
. "$(dirname "$0")/../support/screen-road.sh"
# Window origin of a title, into X and Y.
origin() { eval "$(xdotool getwindowgeometry --shell "$1")"; }
click() {  # window-relative x y
    xdotool mousemove $((X + $1)) $((Y + $2))
    sleep 0.2
    xdotool click 1
}
hover() { xdotool mousemove $((X + $1)) $((Y + $2)); sleep 0.3; xdotool mousemove $((X + $1 + 1)) $((Y + $2)); sleep 0.4; }
quit_from_tray() {
    xdotool mousemove 12 32 click 3
    sleep 1
    xdotool key c
    wait_ended "$program" 60 || fail "Close did not end the program"
    program=
}
trap cleanup EXIT

wizard_title='Brisbolt - the full-featured Internet and LAN acceleration tool'
apply_title='Brisbolt is accelerating your system...'
user='HKCU\Software\Corvelle\Brisbolt'
tcpip='HKLM\System\CurrentControlSet\Services\Tcpip\Parameters'

# Places in the windows (client pixels).
wizard_hide=(576 143) wizard_dsl2=(64 143) wizard_automatic=(436 126) wizard_advanced=(436 174)
later=(234 155)
# Method windows: their buttons and the full-control choices used below.
automatic_accelerate=(87 420)
advanced_accelerate=(381 421)
advanced_mtu_manual=(32 265) advanced_mtu_box=(170 264) advanced_good=(420 259) advanced_bad=(502 259)

# --- 1. Windows 2000, first start, automatic preset ---
load_reg "$fixtures/clean.reg"
load_reg "$fixtures/win2k.reg"
start win2k
wizard=$(wait_for "$wizard_title" 60) || fail "the wizard did not open"
sleep 1
origin "$wizard"
[ "$WIDTH" = 600 ] && [ "$HEIGHT" = 228 ] || fail "the wizard is ${WIDTH}x$HEIGHT"
shot road_wizard_first_run
[ -n "$(value 'HKLM\Software\Corvelle\Brisbolt\Originals' Orig_ttl_TF)" ] || fail "the first run saved no originals for the machine"
[ -z "$(value "$user" connect)" ] || fail "the wizard stored a connection type by itself"
click "${wizard_hide[@]}"
sleep 0.5
click "${wizard_dsl2[@]}"
sleep 0.5
wait_until 60 has_value "$user" connect D2 || fail "\"DSL (recommended setting 2)\" did not store D2"
hover "${wizard_automatic[@]}"
shot road_wizard_choosing
click "${wizard_automatic[@]}"
automatic=$(wait_for 'Brisbolt - Automatic' 60) || fail "\"Automatic\" opened no window"
origin "$automatic"
sleep 6
shot road_automatic_preparing
# The preset is stored when the last item has been prepared.
wait_until 60 has_value "$user" mtu 1492 || fail "the automatic window stored no preset"
sleep 0.5
hover "${automatic_accelerate[@]}"
shot road_automatic_ready
click "${automatic_accelerate[@]}"
apply=$(wait_for "$apply_title" 60) || fail "\"Accelerate Me !\" started no apply run"
origin "$apply"
# The prompt comes once the last tick has written the system values.
wait_until 60 has_value "$tcpip" TCPWindowSize 0x24860 || fail "the apply run wrote no receive window"
sleep 1
shot road_apply_prompt
click "${later[@]}"
wait_gone "$apply_title" 60 || fail "\"Reboot Later\" did not close the apply window"
sleep 1
# Exactly the "D2" preset of the NT family, in the record and in the system.
for v in mtu:1492 ndi:32 rwin:149600 ttl:128 connect:D2; do expect "$user" "${v%%:*}" "${v#*:}"; done
expect "$tcpip" TCPWindowSize 0x24860
expect "$tcpip" DefaultTTL 0x80
expect "$tcpip" EnablePMTUDiscovery 0x1
expect "$tcpip" EnablePMTUBHDetect 0x0
for key in $("$WINELOADER" reg query "$tcpip\\Interfaces" 2>/dev/null </dev/null | tr -d '\r' | grep -i 'Interfaces\\'); do
    expect "$key" MTU 0x5d4  # what Windows 2000 reads
    expect "$key" MaxMTU 0x5d4
done
with_restart=$(tray_menu_height road_tray_menu_restart)
quit_from_tray

# --- 2. Windows 98, from the tray, full control ---
load_reg "$fixtures/clean.reg"
load_reg "$fixtures/win98.reg"
start win98 /S
wait_for 'Wine System Tray' 60 >/dev/null || fail "no notification area after \"/S\""
wait_gone "$apply_title" 60 || fail "the silent display did not end"
sleep 1
without_restart=$(tray_menu_height road_tray_menu)
[ "$with_restart" -gt "$without_restart" ] ||
    fail "the tray menu had no restart item after \"Reboot Later\" ($with_restart vs $without_restart)"
xdotool mousemove 12 32 click 3
sleep 1
xdotool key s
wizard=$(wait_for "$wizard_title" 60) || fail "\"Change Settings\" did not open the wizard"
sleep 1
origin "$wizard"
click "${wizard_hide[@]}"
sleep 0.5
click "${wizard_advanced[@]}"
advanced=$(wait_for 'Brisbolt - Advanced Settings' 60) || fail "\"Advanced\" opened no window"
origin "$advanced"
sleep 1
shot road_advanced_start
# A manual MTU of 40 is refused with a message (press its OK); 1460 is taken.
mtu_before=$(value "$user" mtu)
type_mtu() {
    click "${advanced_mtu_box[@]}"
    xdotool key End shift+Home BackSpace
    xdotool type "$1"
    click "${advanced_mtu_manual[@]}"
    sleep 0.5
}
type_mtu 40
notice=$(wait_for Brisbolt 60) || fail "a manual MTU of 40 brought no message"
shot road_advanced_mtu_refused
(
    origin "$notice"
    click $((WIDTH / 2)) $((HEIGHT - 19))
)
wait_gone Brisbolt 60 || fail "the message about the MTU did not close"
sleep 0.5
[ "$(value "$user" mtu)" = "$mtu_before" ] || fail "a manual MTU of 40 was stored"
type_mtu 1460
wait_until 60 has_value "$user" mtu 1460 || fail "the manual MTU 1460 was not stored"
# With no line condition stored the window starts on "Bad": Good, Bad, Good.
click "${advanced_good[@]}"
sleep 0.3
wait_until 60 has_value "$user" line 0x1 || fail "\"Good\" did not store the line condition"
click "${advanced_bad[@]}"
sleep 0.3
wait_until 60 has_value "$user" line 0x0 || fail "\"Bad\" did not store the line condition"
bad_rwin=$(value "$user" rwin)
click "${advanced_good[@]}"
sleep 0.3
wait_until 60 has_value "$user" line 0x1 || fail "\"Good\" did not store the line condition"
rwin=$(value "$user" rwin)
# Whole multiples of the segment size (1460 - 40), at most the 9x cap; Bad
# holds about twice as much.
[ $((rwin % 1420)) = 0 ] && [ "$rwin" -le 65535 ] && [ $((bad_rwin % 1420)) = 0 ] && [ "$bad_rwin" -le 65535 ] ||
    fail "receive windows $rwin (Good) and $bad_rwin (Bad) are no multiples of 1420 within 65535"
[ "$bad_rwin" -gt "$rwin" ] || [ "$bad_rwin" = $((65535 / 1420 * 1420)) ] || fail "\"Bad\" ($bad_rwin) is not above \"Good\" ($rwin)"
hover "${advanced_accelerate[@]}"
shot road_advanced_chosen
click "${advanced_accelerate[@]}"
apply=$(wait_for "$apply_title" 60) || fail "\"Accelerate Me !\" started no apply run"
origin "$apply"
wait_until 60 has_value 'HKLM\System\CurrentControlSet\Services\VxD\MSTCP' DefaultRcvWindow "$rwin" ||
    fail "the apply run wrote no receive window"
sleep 1
click "${later[@]}"
wait_gone "$apply_title" 60 || fail "\"Reboot Later\" did not close the apply window"
sleep 1
# The choices, as text, in the 9x family's keys.
mstcp='HKLM\System\CurrentControlSet\Services\VxD\MSTCP'
expect "$mstcp" DefaultRcvWindow "$rwin"
tcpip_bindings=0
for slot in 0 1 2 3 4 5 6 7 8 9; do
    key="HKLM\System\CurrentControlSet\Services\Class\NetTrans\000$slot"
    [ "$(value "$key" DriverDesc)" = TCP/IP ] || continue
    expect "$key" MaxMTU 1460
    tcpip_bindings=$((tcpip_bindings + 1))
done
[ "$tcpip_bindings" -gt 0 ] || fail "the Windows 98 fixture has no TCP/IP binding"

# Alt+F4 on the wizard after choosing another connection type is "Min":
# back to the tray, and no restart (which would end this Wine session).
xdotool mousemove 12 32 click 3
sleep 1
xdotool key s
wizard=$(wait_for "$wizard_title" 60) || fail "\"Change Settings\" did not open the wizard again"
sleep 1
origin "$wizard"
click "${wizard_dsl2[@]}"
wait_until 60 has_value "$user" connect D2 || fail "\"DSL (recommended setting 2)\" did not store D2"
xdotool key alt+F4
wait_gone "$wizard_title" 60 || fail "Alt+F4 did not close the wizard"
# A restart would take the whole session down within seconds.
for _ in $(seq 150); do
    process_ended "$program" && fail "Alt+F4 on the wizard ended the program (a restart?)"
    sleep 0.1
done
quit_from_tray
echo "wizard road: Windows 2000 automatic preset and Windows 98 full control applied; pictures in $shots"
