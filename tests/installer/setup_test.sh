#!/usr/bin/env bash
# Installs the setup silently into a fresh Wine prefix as a user would, checks
# what it leaves (program, guide, Start menu shortcuts, uninstall entry),
# upgrades over the running program, then uninstalls silently: the program,
# the guide, their shortcuts, the entry and the start with Windows must go,
# the catalogue in Zelmivo\Dati must stay.
# Usage: setup_test.sh <setup.exe> <zelmivo.exe> <version> <sample app.txt> <work folder>
# Starts a private Xvfb display of its own and makes its own prefix inside <work folder>.
set -u -o pipefail

setup=$1
program=$2
version=$3
sample=$4
work=$5
entry='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zelmivo'

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

# A display of its own: the test prefix's virtual desktop, once another
# test has shown it, lies over the shared one and would take the clicks.
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/setup.sh"
zelmivo_start_xvfb || fail "no display for the setup"

# A prefix of its own, and a home of its own: Wine links the user's Desktop
# folder to $HOME, and the desktop must not get shortcuts from a test.
rm -rf "$work" && mkdir -p "$work/prefix" "$work/home" || fail "cannot make $work"
export WINEPREFIX="$work/prefix"
export HOME="$work/home"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

trap zelmivo_cleanup EXIT

# Bounds against hanging; nothing here measures speed.
wait_for() {
    local tries
    for tries in $(seq 300); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

wineboot -i >/dev/null 2>&1 || fail "cannot make the prefix"
user_folder="$WINEPREFIX/drive_c/users/$(id -un)"
installed="$user_folder/AppData/Local/Programs/Zelmivo"
start_menu="$user_folder/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
shortcut="$start_menu/Zelmivo.lnk"
guide_shortcut="$start_menu/Guida di Zelmivo.lnk"
data="$user_folder/AppData/Local/Zelmivo/Dati"

wine "$setup" /S || fail "the silent setup ended with $?"
cmp -s "$program" "$installed/zelmivo.exe" || fail "zelmivo.exe is not installed"
[ -f "$installed/disinstalla.exe" ] || fail "no uninstaller"
grep -qaF 'C:\users\'"$(id -un)"'\AppData\Local\Programs\Zelmivo\zelmivo.exe' "$shortcut" ||
    fail "no Start menu shortcut to the program"
[ ! -e "$user_folder/Desktop/Zelmivo.lnk" ] || fail "a desktop shortcut nobody asked for"
# The user guide, the same text as in the zip, has its own shortcut.
grep -qaF 'Guida di Zelmivo' "$installed/LEGGIMI.txt" || fail "the guide is not installed"
grep -qaF '\Programs\Zelmivo\LEGGIMI.txt' "$guide_shortcut" ||
    fail "no Start menu shortcut to the guide"

values=$(wine reg query "$entry" | tr -d '\r') || fail "no uninstall entry"
value_of() { sed -n "s/^ *$1 *REG_[A-Z_]* *//p" <<<"$values"; }
[ "$(value_of DisplayName)" = Zelmivo ] || fail "display name: $(value_of DisplayName)"
[ "$(value_of DisplayVersion)" = "$version" ] || fail "version: $(value_of DisplayVersion)"
[[ "$(value_of UninstallString)" == *'\Programs\Zelmivo\disinstalla.exe"' ]] ||
    fail "uninstall string: $(value_of UninstallString)"
# In KiB: the installed files' size, give or take the rounding.
size=$(($(value_of EstimatedSize)))
files=$(cat "$installed"/{zelmivo.exe,disinstalla.exe,LEGGIMI.txt} | wc -c)
[ $((files / 1024)) -le "$size" ] && [ "$size" -le $((files / 1024 + 2)) ] ||
    fail "estimated size $size KiB for $files bytes"

# The user's catalogue is in the data folder when the program goes.
mkdir -p "$data" && cp "$sample" "$data/app.txt" || fail "cannot place the catalogue"

# A silent upgrade over a running Zelmivo asks it to close; the user answers
# its question by clicking into the box and pressing Enter (Sì), and the
# upgrade goes on once the program has gone.
wine "$installed/zelmivo.exe" >/dev/null 2>&1 &
shown() { xdotool search --name "$1" >/dev/null 2>&1; }
wait_for shown '^Orvo Zelmivo' || fail "Zelmivo did not start"
wine "$setup" /S &
upgrade=$!
wait_for shown '^Uscita$' || fail "the running Zelmivo was not asked to close"
eval "$(xdotool getwindowgeometry --shell "$(xdotool search --name '^Uscita$' | head -1)")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + 10)) click 1 sleep 0.3 key Return
wait "$upgrade" || fail "the upgrade over a running Zelmivo ended with $?"

# Started with Windows until the program goes.
run='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
wine reg add "$run" /v Zelmivo /d '"C:\zelmivo.exe" /ridotto' /f >/dev/null 2>&1 ||
    fail "cannot list Zelmivo to start with Windows"

# The uninstaller copies itself to the temp folder and returns at once.
wine "$installed/disinstalla.exe" /S || fail "the silent uninstall ended with $?"
folder_gone() { [ ! -e "$installed" ]; }
wait_for folder_gone || fail "the program folder is still there"
[ ! -e "$shortcut" ] && [ ! -e "$guide_shortcut" ] || fail "a Start menu shortcut is still there"
wine reg query "$entry" >/dev/null 2>&1 && fail "the uninstall entry is still there"
wine reg query "$run" /v Zelmivo >/dev/null 2>&1 && fail "Zelmivo still starts with Windows"
cmp -s "$sample" "$data/app.txt" || fail "the catalogue did not survive the uninstall"
echo "setup $version installed and uninstalled; the catalogue stayed"
