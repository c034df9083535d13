#!/usr/bin/env bash
# Takes again the README's pictures of a first start: the empty window that
# offers the Start menu's shortcuts, and the window after their import. Runs
# the program on a private display and a prefix of its own, whose Start menu
# holds a few shortcuts made here; writes docs/first_start.png and
# docs/imported.png.
set -u -o pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

zelmivo_prepare_run || exit 1
zelmivo_start_xvfb || exit 1
prefix="$ZELMIVO_BUILD/screenshot-prefix"
rm -rf "$prefix"
zelmivo_use_prefix "$prefix"
user_folder="$WINEPREFIX/drive_c/users/$(id -un)"
programs="$user_folder/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
shortcut() { mkdir -p "$programs/$(dirname "$1")" && python3 "$ZELMIVO_ROOT/scripts/shortcut.py" "$programs/$1" "$2"; }
shortcut "Accessori/Blocco note.lnk" 'C:\windows\notepad.exe'
shortcut "Accessori/Paint.lnk" 'C:\windows\system32\mspaint.exe'
shortcut "Accessori/Disinstalla Paint.lnk" 'C:\windows\system32\mspaint.exe'
shortcut "Strumenti di sistema/Editor del registro.lnk" 'C:\windows\regedit.exe'
shortcut "Strumenti di sistema/Prompt dei comandi.lnk" 'C:\windows\system32\cmd.exe'
shortcut "Strumenti di sistema/Gestione attività.lnk" 'C:\windows\system32\taskmgr.exe'
shortcut "Esplora risorse.lnk" 'C:\windows\explorer.exe'

# The window opens at the desktop's top left corner, 90% of its size.
picture() {
    sleep 3
    import -window root -crop 1229x691+0+0 +repage "$ZELMIVO_ROOT/docs/$1" &&
        echo "Written: docs/$1"
}
wine explorer /desktop=Zelmivo,1366x768 "$ZELMIVO_BUILD/win/app/zelmivo.exe" &
program_pid=$!
sleep 5
picture first_start.png
# "&File", "&Importa dal menu Start...", with the keys the menu underlines.
xdotool mousemove 600 12 click 1
xdotool key alt+f
sleep 1
xdotool key i
sleep 6; picture imported.png
wineserver -k
wait $program_pid
