# Shared by the scripts that drive Brisbolt's windows on the test display
# (source it; set `shots` to the picture folder and `road` to the name used
# in messages first, and `exe` and `work` for `start`).

export WINEDEBUG=-all
export WINELOADER=${WINELOADER:-/usr/lib/wine/wine}
export WINEPREFIX=${BRISBOLT_WINEPREFIX:?BRISBOLT_WINEPREFIX is not set}
mkdir -p "$shots"

# Says what failed and which windows were there, keeps a picture, ends.
fail() {
    echo "$road: $*"
    xdotool search --name '.' getwindowname %@ 2>/dev/null | sort -u | head -20
    import -window root "$shots/${road// /_}_failure.png" 2>/dev/null || true
    exit 1
}
# Every wait below has a limit of a minute at least, whatever its caller
# asks: a busy machine or a prefix in its first use may be slow, never wrong.
wait_limit() { local s=${1:-60}; [ "$s" -ge 60 ] && echo "$s" || echo 60; }
# Runs the command until it succeeds; fails once the limit has passed.
wait_until() {  # seconds command...
    local deadline=$(($(date +%s) + $(wait_limit "$1")))
    shift
    until "$@"; do
        [ "$(date +%s)" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}
shown_window() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1 | grep .; }
# Prints the id of the shown window with exactly this title once it shows.
wait_for() {  # title seconds
    wait_until "$2" shown_window "$1" >/dev/null || return 1
    shown_window "$1"
}
wait_gone() {  # title seconds
    wait_until "$2" not_shown "$1"
}
not_shown() { ! shown_window "$1" >/dev/null; }
process_ended() { ! kill -0 "$1" 2>/dev/null; }
wait_ended() { wait_until "$2" process_ended "$1"; }  # pid seconds
shot() { import -window root "$shots/$1.png"; }

# Registry, through Wine's own tools, in the prefix of the program.
load_reg() { "$WINELOADER" regedit /S "Z:${1//\//\\}" >/dev/null 2>&1 </dev/null; }
# The data of one value as `reg query` prints it ("0x5dc", "1492", ...); empty when missing.
value() {
    "$WINELOADER" reg query "$1" /v "$2" 2>/dev/null </dev/null | tr -d '\r' |
        awk -v name="$2" '$1 == name { print $NF }' || true
}
has_value() { [ "$(value "$1" "$2")" = "$3" ]; }  # key name expected
expect() {  # key name expected
    local got
    got=$(value "$1" "$2")
    [ "$got" = "$3" ] || fail "$1 \"$2\" is \"$got\", expected \"$3\""
}
# Opens the tray menu, prints its height (it grows by the restart item), closes it.
tray_menu_height() {  # picture
    xdotool mousemove 12 32 click 3
    sleep 1
    shot "$1"
    local menu
    menu=$(xdotool search --onlyvisible --name '^$' 2>/dev/null | while read -r w; do
        eval "$(xdotool getwindowgeometry --shell "$w")"
        [ "$WIDTH" -gt 100 ] && [ "$HEIGHT" -gt 100 ] && [ "$HEIGHT" -lt 400 ] && echo "$HEIGHT"
    done | sort -n | tail -1)
    xdotool key Escape
    echo "${menu:-0}"
}
# Starts a copy of the program that Wine takes for that Windows; its
# process into `program`.
start() {  # version args...
    local version=$1
    shift
    local copy="$work/brisbolt_road_$version.exe"
    cp "$exe" "$copy"
    "$WINELOADER" reg add "HKCU\\Software\\Wine\\AppDefaults\\brisbolt_road_$version.exe" /v Version /d "$version" /f \
        >/dev/null 2>&1 </dev/null
    "$WINELOADER" "$copy" "$@" >/dev/null 2>&1 </dev/null &
    program=$!
}
