#!/usr/bin/env bash
# The installer and the uninstall road under Wine, on a throwaway copy of the
# run's prefix (the installer writes the Run key, the Windows folder and the
# Start menu, which the run's own prefix must never get):
#   1. a silent install into a folder with a space, without the autostart,
#      then again with it: the files, "installdir", the uninstaller in the
#      Windows folder, the shortcuts, the Add/Remove Programs entry, and the
#      Run value only when chosen;
#   2. for machines of all six Windows versions as each lays its keys out
#      (95 and 98 with a network card and the Dial-Up Adapter, NT 4.0 with
#      its bound adapters, 2000 with and without MaxMTU in its interfaces,
#      XP), loaded from the fixtures: the first start's saving and an apply
#      run of DSL setting 2, which leaves every value where that Windows
#      reads it, then the uninstall exactly as Add/Remove Programs starts it
#      (a fresh process that never opened the wizard), answered with Return;
#      the whole Services tree is back byte for byte, and unbrb.exe removed
#      the files, shortcuts and keys.
# Between the two: a reinstall over a Brisbolt in the tray, installs that fail
# halfway (where chattr +i works; the road says when it does not), no
# msvcrt.dll, and unbrb.exe started on its own, with and without a saved set.
#   install-road.sh <setup.exe> <uninstall_road.exe> <fixtures folder> <scratch folder>
set -euo pipefail
setup=$1
helper=$2
fixtures=$3
scratch=$4
export WINEDEBUG=-all
export WINELOADER=${WINELOADER:-/usr/lib/wine/wine}
. "$(dirname "$0")/../support/throwaway-prefix.sh"
use_throwaway_prefix "$scratch"
wineserver -p >/dev/null 2>&1 </dev/null

folder='C:\Brisbolt Test'
unix_folder=$prefix/drive_c/'Brisbolt Test'
uninstaller=$prefix/drive_c/windows/unbrb.exe
log=$scratch/wine.log
windows_path() { echo "Z:${1//\//\\}"; }
wine() { "$WINELOADER" "$@" >>"$log" 2>&1 </dev/null; }
fail() {
    echo "install road: $*"
    tail -20 "$log" 2>/dev/null || true
    xdotool search --name '.' getwindowname %@ 2>/dev/null | sort -u | head -20 || true
    exit 1
}
# Prints a registry value's data; nothing when it is missing.
value() {
    "$WINELOADER" reg query "$1" /v "$2" 2>/dev/null </dev/null | tr -d '\r' |
        sed -n "s/^ *$2 *REG_[A-Z_]* *//p" || true
}
has_key() { "$WINELOADER" reg query "$1" >/dev/null 2>&1 </dev/null; }
shortcut() { find "$prefix/drive_c" -path "*Start Menu/Programs/Brisbolt/$1" 2>/dev/null | head -1; }
set_version() {
    for exe in brisbolt.exe "$(basename "$helper")"; do
        wine reg add "HKCU\\Software\\Wine\\AppDefaults\\$exe" /v Version /d "$1" /f
    done
}

program_key='HKLM\Software\Corvelle\Brisbolt'
run_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
arp_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Brisbolt'
record_key='HKCU\Software\Corvelle\Brisbolt'

# The road starts on a machine that has never seen Brisbolt. The pristine
# prefix is the build's own, copied at the first test run: where Brisbolt ran
# in it before that (scripts/start.sh opens the wizard, which saves the
# values it finds), the copy holds Brisbolt's records, and unbrb.exe would
# rightly refuse to remove the install further down.
for maker in 'HKCU\Software\Corvelle' 'HKLM\Software\Corvelle'; do
    if has_key "$maker"; then
        "$WINELOADER" reg delete "$maker" /f >>"$log" 2>&1 </dev/null || true
        ! has_key "$maker" || fail "could not clear $maker, left in the copied prefix by an earlier start of Brisbolt"
        echo "install road: the copied prefix held $maker from an earlier start of Brisbolt in this build folder; cleared"
    fi
done

# NSIS reads /D= raw from the command line, spaces and all, so the line goes
# through cmd unquoted.
install() {
    wine cmd /c "$(windows_path "$setup") /S $1 /D=$folder"
    wait_until 90 installed || true
}
installed() { [ -f "$unix_folder/brbhelp.htm" ] && [ -f "$uninstaller" ]; }
removed() { [ ! -e "$unix_folder" ] && [ ! -e "$uninstaller" ] && ! has_key "$arp_key"; }
# Runs the command until it succeeds, for at most this many seconds.
wait_until() {  # seconds command...
    local deadline=$(($(date +%s) + $1))
    shift
    until "$@"; do
        [ "$(date +%s)" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

# 1. The installer.
install /AUTOSTART=0
[ -f "$unix_folder/brisbolt.exe" ] || fail "brisbolt.exe is not in $folder"
cmp -s "$unix_folder/brbhelp.htm" "$(dirname "$0")/../../resources/brbhelp.htm" || fail "brbhelp.htm is not in $folder"
[ -f "$uninstaller" ] || fail "unbrb.exe is not in the Windows folder"
[ "$(value "$program_key" installdir)" = "$folder" ] || fail "installdir is '$(value "$program_key" installdir)'"
[ -z "$(value "$run_key" brisbolt)" ] || fail "/AUTOSTART=0 still wrote the Run value"
[ "$(value "$arp_key" UninstallString)" = "\"$folder\\brisbolt.exe\" /UNINSTALL" ] ||
    fail "the Add/Remove Programs entry runs '$(value "$arp_key" UninstallString)'"
[ "$(value "$arp_key" Publisher)" = Corvelle ] || fail "no publisher in Add/Remove Programs"
for link in Brisbolt.lnk 'Brisbolt Help.lnk' 'Uninstall Brisbolt.lnk'; do
    [ -n "$(shortcut "$link")" ] || fail "no Start-menu shortcut $link"
done
tr -d '\0' <"$(shortcut 'Uninstall Brisbolt.lnk')" | grep -aq /UNINSTALL || fail "the uninstall shortcut does not pass /UNINSTALL"
install ""
[ "$(value "$run_key" brisbolt)" = "\"$folder\\brisbolt.exe\" /S" ] ||
    fail "the Run value is '$(value "$run_key" brisbolt)', not the silent start"
echo "install road: installed into $folder with shortcuts, uninstaller and entry; Run value only when chosen"

# Reinstalled without the start with Windows, the earlier Run value goes.
no_run_value() { [ -z "$(value "$run_key" brisbolt)" ]; }
install /AUTOSTART=0
wait_until 60 no_run_value || fail "a reinstall with /AUTOSTART=0 left the Run value '$(value "$run_key" brisbolt)'"
echo "install road: a reinstall without the autostart removed the Run value"

# A Brisbolt in the tray is asked to end before its files are replaced.
dispatcher_exists() { xdotool search --name '^BrisboltDispatcher$' >/dev/null 2>&1; }
ended() { ! kill -0 "$1" 2>/dev/null; }
stamp() { stat -c %i:%Y "$1"; }
help_page=$(dirname "$0")/../../resources/brbhelp.htm
replaced() { [ "$(stamp "$unix_folder/brisbolt.exe")" != "$1" ] && cmp -s "$unix_folder/brbhelp.htm" "$help_page"; }
touch -d 2001-01-01 "$unix_folder/brisbolt.exe"
echo "an earlier page" >>"$unix_folder/brbhelp.htm"
before=$(stamp "$unix_folder/brisbolt.exe")
"$WINELOADER" "$folder\\brisbolt.exe" /S >>"$log" 2>&1 </dev/null &
running=$!
wait_until 90 dispatcher_exists || fail "the installed Brisbolt started with /S never reached the tray"
install ""
wait_until 60 ended $running || fail "the Brisbolt in the tray still runs after a reinstall"
wait_until 60 replaced "$before" || fail "the reinstall over a running Brisbolt did not replace its files"
wait $running || true
echo "install road: a running Brisbolt ended on request and its files were replaced"

# One that does not end: Setup waits, then stops with nothing copied. A
# console of that title stands in for a Brisbolt that hangs.
"$WINELOADER" wineconsole cmd /k title BrisboltDispatcher >>"$log" 2>&1 </dev/null &
hung=$!
wait_until 60 dispatcher_exists || fail "no stand-in window named BrisboltDispatcher"
before=$(stamp "$unix_folder/brisbolt.exe"):$(stamp "$unix_folder/brbhelp.htm")
code=0
"$WINELOADER" "$setup" /S >>"$log" 2>&1 </dev/null || code=$?
wine taskkill /f /im cmd.exe || true
[ "$code" = 5 ] || fail "with Brisbolt still running the install ended with $code, not 5"
[ "$(stamp "$unix_folder/brisbolt.exe"):$(stamp "$unix_folder/brbhelp.htm")" = "$before" ] ||
    fail "with Brisbolt still running the install replaced its files"
dispatcher_gone() { ! dispatcher_exists; }
wait_until 60 dispatcher_gone || fail "the stand-in window did not end"
wait $hung || true
echo "install road: a Brisbolt that did not end: error level 5, its files untouched"

# A file that cannot be written: chattr +i stops even root, so under Wine a
# write to it fails for real. The install must leave nothing of itself. Only
# where the file system and the user's rights allow it (not on overlay or
# tmpfs, not without root): the road says what it leaves out.
blocker=$prefix/drive_c/windows/unbrb.exe
menu_folder=$(dirname "$(shortcut Brisbolt.lnk)")
not_tried=()
probe=$prefix/drive_c/windows/chattr-probe
: >"$probe"
if no_chattr=$(chattr +i "$probe" 2>&1); then
    chattr -i "$probe"
    no_chattr=""
else
    no_chattr=${no_chattr:-chattr +i failed}
fi
rm -f "$probe"
not_tried() {  # what
    echo "install road: NOT TRIED here, chattr +i does not work ($no_chattr): $1"
    not_tried+=("$1")
}
leftovers() { find "$unix_folder" "$prefix/drive_c/windows" -maxdepth 1 \( -name '*.new' -o -name '*.old' \) 2>/dev/null || true; }
# Where a fresh install goes without /D= (the x86 installer: "Program Files (x86)").
default_folders() { find "$prefix/drive_c" -maxdepth 2 -path '*/Program Files*/Brisbolt' 2>/dev/null || true; }
fails_with() {  # code what: a silent install into the default folder, with the autostart
    local code=0
    "$WINELOADER" "$setup" /S /AUTOSTART=1 >>"$log" 2>&1 </dev/null || code=$?
    [ "$code" = "$1" ] || fail "$2: the install ended with $code, not $1"
}
left_nothing() {  # what
    [ -z "$(default_folders)" ] || fail "$1: the install left $(default_folders)"
    [ -z "$(leftovers)" ] || fail "$1: the install left $(leftovers)"
    [ -z "$(shortcut Brisbolt.lnk)" ] || fail "$1: the install made Start-menu shortcuts"
    ! has_key "$arp_key" || fail "$1: the install left an Add/Remove Programs entry"
    ! has_key "$program_key" || fail "$1: the install left $program_key"
    [ -z "$(value "$run_key" brisbolt)" ] || fail "$1: the install wrote the Run value"
}

# Over an earlier install: the earlier files come back, the very same ones.
if [ -z "$no_chattr" ]; then
    trap 'chattr -i "$blocker" "$menu_folder" 2>/dev/null; cleanup_throwaway_prefix' EXIT
    chattr +i "$blocker"
    before=$(stamp "$unix_folder/brisbolt.exe"):$(stamp "$unix_folder/brbhelp.htm")
    run_before=$(value "$run_key" brisbolt)
    fails_with 6 "unbrb.exe unwritable, over an earlier install"
    [ "$(stamp "$unix_folder/brisbolt.exe"):$(stamp "$unix_folder/brbhelp.htm")" = "$before" ] ||
        fail "a failed install did not leave the earlier files as they were"
    [ -z "$(leftovers)" ] || fail "a failed install left $(leftovers)"
    [ "$(value "$run_key" brisbolt)" = "$run_before" ] || fail "a failed install changed the Run value"
    [ "$(value "$program_key" installdir)" = "$folder" ] || fail "a failed install changed installdir"
    chattr -i "$blocker"
    trap cleanup_throwaway_prefix EXIT
    echo "install road: a file that could not be written over an earlier install: error level 6, the earlier install whole"
else
    not_tried "an install over an earlier one that fails halfway"
fi

# unbrb.exe started on its own while Brisbolt still keeps the values it found
# before its first change refuses and removes nothing: without Brisbolt
# nothing could put those values back. Run in place (_?=), it hands its
# error level back instead of going on from a copy in TEMP.
installed_whole() { installed && [ -f "$unix_folder/brisbolt.exe" ] && has_key "$arp_key" && [ -n "$(shortcut Brisbolt.lnk)" ]; }
installed_whole || fail "no whole install to try unbrb.exe on"
wine reg add "$record_key" /v Orig_ttl_TF /t REG_DWORD /d 1 /f
code=0
"$WINELOADER" 'C:\windows\unbrb.exe' /S '_?=C:\windows' >>"$log" 2>&1 </dev/null || code=$?
[ "$code" != 0 ] || fail "unbrb.exe on its own, with the originals saved, ended with error level 0"
installed_whole || fail "unbrb.exe on its own, with the originals saved, removed part of the install"
[ "$(value "$program_key" installdir)" = "$folder" ] || fail "unbrb.exe on its own, with the originals saved, removed installdir"
[ "$(value "$record_key" Orig_ttl_TF)" = 0x1 ] || fail "unbrb.exe on its own, with the originals saved, removed them"
echo "install road: unbrb.exe on its own refused while the originals are saved: error level $code, nothing removed"
# The same with the machine's set, whoever starts it.
wine reg delete "$record_key" /v Orig_ttl_TF /f
wine reg add "$program_key\\Originals" /v Orig_ttl_TF /t REG_DWORD /d 1 /f
code=0
"$WINELOADER" 'C:\windows\unbrb.exe' /S '_?=C:\windows' >>"$log" 2>&1 </dev/null || code=$?
[ "$code" != 0 ] || fail "unbrb.exe on its own, with the machine's originals saved, ended with error level 0"
installed_whole || fail "unbrb.exe on its own, with the machine's originals saved, removed part of the install"
[ "$(value "$program_key\\Originals" Orig_ttl_TF)" = 0x1 ] || fail "unbrb.exe on its own removed the machine's originals"
wine reg delete "$program_key\\Originals" /f
echo "install road: unbrb.exe on its own refused while the machine keeps the originals: error level $code"
# Once they are given back (Brisbolt's record gone), it removes everything
# the installer made.
wine reg delete 'HKCU\Software\Corvelle' /f
wine 'C:\windows\unbrb.exe' /S
wait_until 90 removed || fail "unbrb.exe /S did not remove the install"
[ -z "$(shortcut Brisbolt.lnk)" ] || fail "unbrb.exe /S left the Start-menu shortcuts"
! has_key "$program_key" || fail "unbrb.exe /S left $program_key"
[ -z "$(value "$run_key" brisbolt)" ] || fail "unbrb.exe /S left the Run value"
echo "install road: unbrb.exe on its own, nothing saved: files, shortcuts, entry, Run value and keys removed"

# Fresh, the last file refused: the copied ones go, and the folder.
if [ -z "$no_chattr" ]; then
    trap 'chattr -i "$blocker" "$menu_folder" 2>/dev/null; cleanup_throwaway_prefix' EXIT
    echo "not the uninstaller" >"$blocker"
    chattr +i "$blocker"
    fails_with 6 "unbrb.exe unwritable"
    left_nothing "unbrb.exe unwritable"
    chattr -i "$blocker"
    rm -f "$blocker"
    # Fresh, the shortcuts refused: the entries written before them go too.
    mkdir -p "$menu_folder"
    chattr +i "$menu_folder"
    fails_with 6 "the Start-menu folder unwritable"
    left_nothing "the Start-menu folder unwritable"
    [ ! -e "$uninstaller" ] || fail "a failed install left unbrb.exe in the Windows folder"
    chattr -i "$menu_folder"
    rmdir "$menu_folder"
    trap cleanup_throwaway_prefix EXIT
    echo "install road: a fresh install with a file or shortcut that could not be written: error level 6, nothing left"
else
    not_tried "a fresh install that fails halfway (a file, the Start-menu folder)"
fi

# Without msvcrt.dll in the system folder (a bare Windows 95), nothing is
# installed. Wine's own DLLs need it too: they find it beside the installer.
pe_machine() { od -An -tx2 -j$(($(od -An -tu4 -j60 -N4 "$1") + 4)) -N2 "$1" | tr -d ' '; }
system=$prefix/drive_c/windows/system32
[ "$(pe_machine "$setup")" = 8664 ] || [ ! -d "$prefix/drive_c/windows/syswow64" ] || system=$prefix/drive_c/windows/syswow64
mkdir -p "$scratch/bare"
cp "$setup" "$scratch/bare/setup.exe"
cp "$system/msvcrt.dll" "$scratch/bare/msvcrt.dll"
runtimes=$(find "$prefix/drive_c/windows" -maxdepth 2 -iname msvcrt.dll \( -path '*/system32/*' -o -path '*/syswow64/*' \))
for dll in $runtimes; do mv "$dll" "$dll.away"; done
code=0
"$WINELOADER" "$scratch/bare/setup.exe" /S >>"$log" 2>&1 </dev/null || code=$?
for dll in $runtimes; do mv "$dll.away" "$dll"; done
[ "$code" = 4 ] || fail "without msvcrt.dll the install ended with $code, not 4"
left_nothing "without msvcrt.dll"
[ ! -e "$uninstaller" ] || fail "without msvcrt.dll the install still wrote unbrb.exe"
echo "install road: without msvcrt.dll: error level 4, nothing installed"

# 2. The uninstall road, once per family.
answer_dialogs() {  # pid N: presses Return on every "Brisbolt" box until the program ends; at least N boxes
    local program=$1 least=$2 pressed=0 deadline=$(($(date +%s) + 180))
    while [ "$(date +%s)" -lt "$deadline" ]; do
        id=$(xdotool search --onlyvisible --name '^Brisbolt$' 2>/dev/null | head -1 || true)
        if [ -n "$id" ]; then
            sleep 0.3
            # The notice's OK and the question's Yes are both the default
            # button; the next box may come back under the same window id.
            # The display has no window manager, and other windows may hold
            # the keyboard: give it to the box, then press.
            timeout 5 xdotool windowfocus --sync "$id" 2>/dev/null || true
            xdotool key Return
            pressed=$((pressed + 1))
            sleep 0.3
        elif ! kill -0 "$program" 2>/dev/null; then
            [ "$pressed" -ge "$least" ]
            return
        fi
        sleep 0.1
    done
    return 1
}

road() {  # version code fixture [second]
    local version=$1 code=$2 fixture=$3 second=${4:-} state=$scratch/state-$1.txt
    [ -f "$unix_folder/brisbolt.exe" ] || install ""
    set_version "$version"
    wine "$helper" prepare "$(windows_path "$fixtures/$fixture")" "$code" "$(windows_path "$state")" ||
        fail "$version: the first start and the apply run did not go as planned"
    grep 'prepare:' "$log" | tail -1
    if [ -n "$second" ]; then
        # Another user uninstalls: Wine has one user, so the user's hive
        # is made a second user's, who has never started Brisbolt.
        "$WINELOADER" reg delete 'HKCU\Software\Corvelle' /f >>"$log" 2>&1 </dev/null || true
        ! has_key 'HKCU\Software\Corvelle' || fail "$version: could not clear the first user's record"
        has_key "$program_key\\Originals" || fail "$version: the saved set is not the machine's"
        echo "install road: $version: the uninstall runs as a second user, whose record is empty"
    fi
    # What Add/Remove Programs starts (its command line is checked above).
    "$WINELOADER" "$folder\\brisbolt.exe" /UNINSTALL >>"$log" 2>&1 </dev/null &
    answer_dialogs $! 2 || fail "$version: the uninstall did not ask"
    wait_until 90 removed || true
    [ ! -e "$unix_folder" ] || fail "$version: $folder is still there: $(ls "$unix_folder")"
    [ ! -e "$uninstaller" ] || fail "$version: unbrb.exe is still in the Windows folder"
    [ -z "$(shortcut Brisbolt.lnk)" ] || fail "$version: the Start-menu shortcuts are still there"
    wine "$helper" check "$(windows_path "$state")" || { grep 'check:' "$log"; fail "$version: not all is back"; }
    grep 'check:' "$log" | tail -1
    # The uninstaller's window waits for "Close".
    id=$(xdotool search --name 'Brisbolt' 2>/dev/null | head -1 || true)
    [ -z "$id" ] || xdotool key --window "$id" Return 2>/dev/null || true
    wait
}

road win95 2 win95.reg
road win98 3 win98-dialup.reg second
road nt40 5 nt40.reg
road win2k 6 win2k.reg
# As Windows 2000 and XP really lay their interfaces out: no MTU of any kind.
road win2k 6 win2k-nomtu.reg
road winxp 7 winxp.reg second
echo "install road: Windows 95, 98, NT 4.0, 2000 (with and without MaxMTU) and XP: every MTU where that Windows reads it, then the Services tree back byte for byte, no saved set, keys, files and shortcuts gone; on 98 and XP uninstalled by a second user"
for what in "${not_tried[@]}"; do
    echo "install road: NOT TRIED on this machine (chattr +i does not work here): $what"
done
