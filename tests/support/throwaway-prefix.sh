# Shared by the tests that may end a whole Wine session or change what the
# other tests rely on (source it): `use_throwaway_prefix <scratch folder>`
# copies the build's pristine prefix (taken by wine-session.sh start while
# no server ran, so its registry is whole on disk) into the scratch folder,
# points WINEPREFIX at the copy and removes it all when the script ends.
# The run's own prefix is never copied: its persistent server may still
# hold the run's registry changes in memory.

use_throwaway_prefix() {
    scratch=$1
    local source_prefix=${BRISBOLT_WINEPREFIX:?BRISBOLT_WINEPREFIX is not set}.pristine
    prefix=$scratch/prefix
    trap cleanup_throwaway_prefix EXIT
    cleanup_throwaway_prefix
    mkdir -p "$scratch"
    [ -f "$source_prefix/.brisbolt-ready" ] || { echo "no pristine prefix at $source_prefix (wine-session.sh start makes it)"; exit 1; }
    # A copy costs a second; a fresh prefix would cost half a minute.
    cp -a "$source_prefix" "$prefix"
    rm -f "$prefix/.brisbolt-ready"
    export WINEPREFIX=$prefix
}
cleanup_throwaway_prefix() {
    WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
    rm -rf "$scratch"
}
