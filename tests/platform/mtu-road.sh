#!/usr/bin/env bash
# "brisbolt.exe /FINDMTU <host>" on lines with a known MTU: three network
# namespaces (A probes, R routes, B answers) joined by veth links on
# loopback-range addresses, where B's link drops every packet larger than the
# MTU without a word, as a black-hole router does. The whole Wine session,
# wineserver included, runs inside A: Wine sends its pings from its server's
# namespace. Checks the exit code (through GetExitCodeProcess) and the
# message box for a black hole at 1400 and one at 1492, and for an address
# that does not answer. Needs root and `ip`; without them it says why and is
# skipped (exit 77).
#   mtu-road.sh <brisbolt.exe> <brisbolt_exit_code.exe> <scratch folder> <snapshot folder>
set -euo pipefail
exe=$1
helper=$2
scratch=$3
shots=$4
road="mtu road"
skip() {
    echo "$road: skipped: $*"
    exit 77
}

[ "$(id -u)" = 0 ] || skip "network namespaces need root"
command -v ip >/dev/null || skip "the ip command (iproute2) is not installed"
. "$(dirname "$0")/../support/screen-road.sh"
. "$(dirname "$0")/../support/throwaway-prefix.sh"

# Names of this run only: two builds may run the road at the same time.
a=brbm$$a r=brbm$$r b=brbm$$b
cleanup() {
    for n in $a $r $b; do
        ip netns pids $n 2>/dev/null | xargs -r kill -9 2>/dev/null || true
        ip netns del $n 2>/dev/null || true
    done
    cleanup_throwaway_prefix
}
use_throwaway_prefix "$scratch"
trap cleanup EXIT
ip netns add $a 2>/dev/null || skip "this machine cannot make network namespaces (ip netns add failed)"
ip netns add $r && ip netns add $b

in_ns() { ip netns exec "$@"; }
ip link add a0 netns $a type veth peer name ra netns $r
ip link add rb netns $r type veth peer name b0 netns $b
# Loopback-range addresses on the links: lo keeps only 127.0.0.1, and
# route_localnet lets the rest of 127/8 be routed.
for n in $a $r $b; do
    in_ns $n sysctl -qw net.ipv4.conf.all.route_localnet=1 net.ipv4.conf.default.route_localnet=1
    in_ns $n ip link set lo up
    in_ns $n ip addr del 127.0.0.1/8 dev lo
    in_ns $n ip addr add 127.0.0.1/32 dev lo
done
in_ns $a sh -c 'sysctl -qw net.ipv4.conf.a0.route_localnet=1; ip addr add 127.10.1.2/24 dev a0; ip link set a0 up
                ip route add default via 127.10.1.1 src 127.10.1.2'
in_ns $r sh -c 'sysctl -qw net.ipv4.conf.ra.route_localnet=1 net.ipv4.conf.rb.route_localnet=1 net.ipv4.ip_forward=1
                ip addr add 127.10.1.1/24 dev ra; ip link set ra up; ip addr add 127.10.2.1/24 dev rb; ip link set rb up'
in_ns $b sh -c 'sysctl -qw net.ipv4.conf.b0.route_localnet=1; ip addr add 127.10.2.2/24 dev b0; ip link set b0 up
                ip route add default via 127.10.2.1 src 127.10.2.2'
in_ns $a ip route get 127.10.2.2 >/dev/null || fail "A has no route to B"

# One wineserver for the road, inside A, on the throwaway prefix.
in_ns $a wineserver -p
in_ns $a "$WINELOADER" wineboot >/dev/null 2>&1 </dev/null || true

# A black hole at `mtu`: R's link to B carries 1500, B's own takes 4 bytes
# over its MTU (a veth does), so anything larger vanishes in silence.
black_hole() {
    in_ns $b ip link set b0 mtu $(($1 - 4))
    in_ns $a ip route flush cache
    in_ns $r ip route flush cache
}
# Runs /FINDMTU through the helper; prints what the helper printed.
find_mtu() {  # host picture
    local out=$scratch/out.txt
    : >"$out"
    in_ns $a "$WINELOADER" "$helper" "$exe" /FINDMTU "$1" >"$out" 2>&1 </dev/null &
    local pid=$!
    wait_until 240 grep -q '^message:' "$out" && shot "$2" || true
    wait_ended $pid 240 || fail "the helper did not end; it printed: $(cat "$out")"
    tr -d '\r' <"$out"
}
expect() {  # host picture exit-code sentence
    local said
    said=$(find_mtu "$1" "$2")
    echo "$said"
    grep -qx "exit code: $3" <<<"$said" || fail "$1: wanted exit code $3"
    grep -qF "$4" <<<"$said" || fail "$1: the message does not say \"$4\""
}

# Whether the program's key exists under a root: "yes" or "no".
program_key() { in_ns $a "$WINELOADER" reg query "$1\\Software\\Corvelle" >/dev/null 2>&1 </dev/null && echo yes || echo no; }

black_hole 1400
expect 127.10.2.2 findmtu_black_hole_1400 1400 "unfragmented is 1372 bytes: an MTU of 1400."
black_hole 1492
expect 127.10.2.2 findmtu_black_hole_1492 1492 "an MTU of 1492."
# The measurement saves nothing: the fresh prefix has no key of the program yet.
[ "$(program_key HKCU)$(program_key HKLM)" = nono ] || fail "/FINDMTU left a key of the program in the registry"

# Beside a Brisbolt in the tray (started with Windows): the single-instance
# guard lets the measurement through.
in_ns $a "$WINELOADER" "$exe" /S >/dev/null 2>&1 </dev/null &
wait_until 60 xdotool search --name '^BrisboltDispatcher$' >/dev/null || fail "the tray copy did not start"
expect 127.10.2.9 findmtu_no_answer 0 "No answer from 127.10.2.9"
xdotool search --name '^BrisboltDispatcher$' >/dev/null || fail "the tray copy ended"
echo "$road: black holes at 1400 and 1492 found exactly; a silent address said so, beside a copy in the tray"
