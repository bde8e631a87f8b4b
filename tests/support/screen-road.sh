# Shared by the scripts that drive Brisbolt's windows on the test display
# (source it; set `shots` to the picture folder and `road` to the name used
# in messages first).

# Says what failed and which windows were there, keeps a picture, ends.
fail() {
    echo "$road: $*"
    xdotool search --name '.' getwindowname %@ 2>/dev/null | sort -u | head -20
    import -window root "$shots/${road// /_}_failure.png" 2>/dev/null || true
    exit 1
}
# Prints the id of the shown window with exactly this title once it shows.
wait_for() {  # title seconds
    for _ in $(seq 1 $(($2 * 10))); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}
wait_gone() {  # title seconds
    for _ in $(seq 1 $(($2 * 10))); do
        xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    return 1
}
shot() { import -window root "$shots/$1.png"; }
