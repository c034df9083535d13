#!/usr/bin/env bash
# Takes again every screenshot in docs/, at 96 DPI and at 144 (150%): the first
# start and the import from the Start menu (a few shortcuts made here), then
# the main window over resources/sample_app.txt, find by typing, a tile's
# menu and the add-entry dialog. Runs the program on a private display, in a
# prefix of its own for each DPI, and waits after each step for the window to
# settle (timers fired, scroll bars shown).
set -u -o pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

zelmivo_prepare_run || exit 1
zelmivo_start_xvfb || exit 1
program="$ZELMIVO_BUILD/win/app/zelmivo.exe"

# The window opens at the desktop's top left corner, 90% of its size; a
# dialog 50 pixels (at 96 DPI) from its owner's corner.
picture() {
    sleep 3
    import -window root -crop "${2:-1229x691+0+0}" +repage "$ZELMIVO_ROOT/docs/$1" &&
        echo "Written: docs/$1"
}
start() {
    wine explorer /desktop=Zelmivo,1366x768 "$program" &
    program_pid=$!
    sleep 5
    # A click on the caption gives the desktop window the keyboard.
    xdotool mousemove 600 10 click 1
}
stop() {
    wineserver -k
    wait "$program_pid"
}
# The first pixel of the colour, row by row, below the caption (whose icon
# holds the headers' colour too) and left of `right`: "x y".
first_pixel() {
    import -window root -depth 8 txt:- | awk -F'[,:]' -v colour="$1" -v right="$2" \
        '$2 > 60 && $1 < right && tolower($0) ~ colour { print $1, $2; exit }'
}

for dpi in 96 144; do
    suffix=$([ $dpi = 96 ] || echo "_${dpi}dpi")
    zelmivo_use_prefix "$ZELMIVO_BUILD/screenshot-prefix-$dpi"
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d $dpi /f >/dev/null 2>&1
    wineserver -k
    user_folder="$WINEPREFIX/drive_c/users/$(id -un)"
    data="$user_folder/AppData/Local/Zelmivo/Dati"
    programs="$user_folder/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
    rm -rf "$data" "$programs"
    shortcut() {
        mkdir -p "$programs/$(dirname "$1")" &&
            python3 "$ZELMIVO_ROOT/scripts/shortcut.py" "$programs/$1" "$2"
    }
    shortcut "Accessori/Blocco note.lnk" 'C:\windows\notepad.exe'
    shortcut "Accessori/Disinstalla Blocco note.lnk" 'C:\windows\notepad.exe'
    shortcut "Strumenti di sistema/Editor del registro.lnk" 'C:\windows\regedit.exe'
    shortcut "Strumenti di sistema/Prompt dei comandi.lnk" 'C:\windows\system32\cmd.exe'
    shortcut "Strumenti di sistema/Gestione attività.lnk" 'C:\windows\system32\taskmgr.exe'
    shortcut "Esplora risorse.lnk" 'C:\windows\explorer.exe'

    if [ $dpi = 96 ]; then
        start
        picture first_start.png
        # "&File", "&Importa dal menu Start...", by the keys the menu underlines.
        xdotool key alt+f sleep 1 key i
        sleep 3
        picture imported.png
        stop
    fi

    mkdir -p "$data" && cp "$ZELMIVO_ROOT/resources/sample_app.txt" "$data/app.txt" || exit 1
    start
    picture "main_window$suffix.png"
    if [ $dpi = 96 ]; then
        xdotool type --delay 200 reg
        picture find_by_typing.png
        # The menu key opens the selected tile's menu beside it.
        xdotool key shift+F10
        picture tile_menu.png
        xdotool key Escape Escape
    fi
    # The first column's "+ aggiungi App", by its text's colour.
    read -r x y < <(first_pixel '#a52a2a' 1366)
    read -r x y < <(first_pixel '#0000ff' $((x + 160 * dpi / 96)))
    xdotool mousemove "$x" "$y" click 1
    # The dialog's frame: its client area 400 x 250 at 96 DPI, then the border and caption.
    frame=$([ $dpi = 96 ] && echo 406x272 || echo 606x405)
    picture "dialog_add_app$suffix.png" "$frame+$((50 * dpi / 96))+$((50 * dpi / 96))"
    stop
done
