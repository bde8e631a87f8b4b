#!/usr/bin/env bash
# Start-up speed under Wine, against bare programs built with the same
# toolchain, with a warm wineserver in the build's own prefix:
#   - start to the dispatcher's window, against a bare tray program;
#   - start to the visible wizard, against a bare program that makes a
#     hidden owner window, then a 600 x 228 popup with a rounded outline and
#     30 child windows of a class it paints itself, and shows it;
#   - how long the "/S" display stays on screen (its design: 45 ticks of
#     30 ms and 250 ms of lingering, 1.6 s).
# Each figure is the median of several starts, after one to warm up.
#   bench-speed.sh <build folder> <wine loader>
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$1
loader=$2
runs=${BRISBOLT_BENCH_RUNS:-9}
export WINEDEBUG=-all WINELOADER=$loader
export BRISBOLT_WINEPREFIX="$build/wineprefix" WINEPREFIX="$build/wineprefix"
export DISPLAY=:${BRISBOLT_BENCH_DISPLAY:-79}
"$root/cmake/wine-session.sh" start
trap '"$root/cmake/wine-session.sh" stop' EXIT

windows_path() { echo "Z:${1//\//\\}"; }
timer=$(windows_path "$build/brisbolt_start_timer.exe")
program() { windows_path "$build/$1"; }

# One start of one kind: "mode|title|program|argument".
once() {
    local mode title exe argument
    IFS='|' read -r mode title exe argument <<<"$1"
    "$loader" "$timer" "$mode" "$title" "$(program "$exe")" $argument </dev/null 2>/dev/null | tr -d '\r' | tail -1 || true
}
median() { sort -g | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }
# pair <kind> <kind>: both medians. The two take turns, so that whatever
# else the machine does at the time weighs on both alike.
pair() {
    local a=() b=()
    once "$1" >/dev/null
    once "$2" >/dev/null
    for _ in $(seq "$runs"); do
        a+=("$(once "$1")")
        b+=("$(once "$2")")
    done
    echo "$(printf '%s\n' "${a[@]}" | median) $(printf '%s\n' "${b[@]}" | median)"
}

wizard='Brisbolt - the full-featured Internet and LAN acceleration tool'
read -r dispatcher tray <<<"$(pair 'shown|BrisboltDispatcher|brisbolt.exe|' 'shown|BareTray|brisbolt_bare_tray.exe|')"
read -r shown bare <<<"$(pair "shown|$wizard|brisbolt.exe|" 'shown|BareWizard|brisbolt_bare_wizard.exe|')"
times=()
for _ in $(seq "$runs"); do times+=("$(once 'lasts|Brisbolt is accelerating your system...|brisbolt.exe|/S')"); done
display=$(printf '%s\n' "${times[@]}" | median)

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0 && a >= 0) printf "%.2f", a / b; else print "n/a" }'; }
verdict() { awk -v r="$1" -v goal="$2" 'BEGIN { print (r != "n/a" && r <= goal) ? "within the goal" : "OVER the goal" }'; }
r1=$(ratio "$dispatcher" "$tray")
r2=$(ratio "$shown" "$bare")
echo "start to the dispatcher's window: $dispatcher ms, a bare tray program $tray ms: ratio $r1 (goal 1.15, $(verdict "$r1" 1.15))"
echo "start to the visible wizard: $shown ms, a bare wizard-like window $bare ms: ratio $r2 (goal 1.15, $(verdict "$r2" 1.15))"
d=$(awk -v d="$display" 'BEGIN { printf "%.2f", d / 1600 }')
echo "the /S display stays $display ms (design 1600 ms): ratio $d (goal within 10%, $(verdict "$d" 1.10))"
