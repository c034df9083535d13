#!/usr/bin/env bash
# Starts zelmivo.exe under Wine over a sample catalogue, as a user would: the
# main window must appear with its title and paint the columns; a screenshot
# of the screen is kept; Alt+F4 and Enter (Yes to the question) must end the
# program with exit code 0 and leave the catalogue file untouched.
# Usage: smoke_test.sh <zelmivo.exe> <sample app.txt> <screenshot.png>
# Needs DISPLAY (a private Xvfb) and WINEPREFIX (a private prefix) set.
set -u -o pipefail

program=$1
sample=$2
screenshot=$3
title='Orvo Zelmivo Copyright (C) 2026 Orvo Software'

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

[ -n "${DISPLAY:-}" ] && [ -n "${WINEPREFIX:-}" ] || fail "DISPLAY and WINEPREFIX must be set"
for tool in wine xdotool import convert; do
    command -v "$tool" >/dev/null || fail "$tool is missing"
done

data="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Zelmivo/Dati"
mkdir -p "$data" || fail "cannot make $data"
backup=
if [ -f "$data/app.txt" ]; then
    backup=$(mktemp)
    cp "$data/app.txt" "$backup"
fi
cp "$sample" "$data/app.txt" || fail "cannot place the sample catalogue"

program_pid=
cleanup() {
    if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then
        kill "$program_pid" 2>/dev/null
        wait "$program_pid" 2>/dev/null
    fi
    rm -f "$data/app.txt"
    if [ -n "$backup" ]; then
        mv "$backup" "$data/app.txt"
    fi
}
trap cleanup EXIT

wine "$program" &
program_pid=$!

# Bounds against hanging; nothing here measures speed.
wait_for() {
    local tries
    for tries in $(seq 300); do
        "$@" && return 0
        kill -0 "$program_pid" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

window=
find_window() {
    window=$(xdotool search --name "^${title//[()]/.}\$" 2>/dev/null | head -n 1)
    [ -n "$window" ]
}
wait_for find_window || fail "no window titled '$title' appeared"
echo "main window: $(xdotool getwindowname "$window")"

# The first category's red header cell at the top left of the panel, below the
# menu bar; the panel's grey further in.
shoot() { import -window root "$screenshot" 2>/dev/null; }
has_colour() {
    local pixels
    pixels=$(convert "$screenshot" -crop "$3x$4+$1+$2" +repage txt:- 2>/dev/null) &&
        grep -qi "$5" <<<"$pixels"
}
header_painted() {
    eval "$(xdotool getwindowgeometry --shell "$window")"
    shoot && has_colour $((X + 15)) "$Y" 40 100 '#A52A2A'
}
wait_for header_painted || fail "the columns were not painted"
has_colour $((X + 800)) $((Y + 400)) 20 20 '#C0C0C0' || fail "the panel is not grey"
echo "screenshot: $screenshot"

xdotool mousemove $((X + 800)) $((Y + 500)) click 1
xdotool key --clearmodifiers alt+F4
question_up() { xdotool search --name '^Uscita$' >/dev/null 2>&1; }
wait_for question_up || fail "the exit question did not appear"
xdotool key Return

wait "$program_pid"
status=$?
program_pid=
[ "$status" -eq 0 ] || fail "zelmivo.exe ended with $status"
cmp -s "$sample" "$data/app.txt" || fail "the catalogue file changed"
echo "zelmivo.exe closed after the question with exit code 0"
