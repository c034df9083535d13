#!/usr/bin/env bash
# Builds Zelmivo and starts it under Wine: on the current display, or on a
# private virtual display when there is none (a screenshot of it is then
# written to build/zelmivo-screen.png a few seconds after the start).
# With --sample, the run prefix's catalogue is first replaced by
# resources/sample_app.txt, an entry of each kind.
set -u -o pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

sample=
case "${1:-}" in
    --sample) sample="$ZELMIVO_ROOT/resources/sample_app.txt" ;;
    "") ;;
    *) echo "usage: bash scripts/run.sh [--sample]" >&2; exit 2 ;;
esac
zelmivo_prepare_run || exit 1
program="$ZELMIVO_BUILD/win/app/zelmivo.exe"
use_run_prefix() {
    zelmivo_use_prefix "$ZELMIVO_BUILD/run-prefix"
    local data="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Zelmivo/Dati"
    [ -z "$sample" ] || { mkdir -p "$data" && cp "$sample" "$data/app.txt"; } || exit 1
    echo "The catalogue: $data/app.txt"
}
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    use_run_prefix
    wine "$program"
    exit $?
fi

zelmivo_start_xvfb || exit 1
echo "No display: Zelmivo runs on the private display $DISPLAY"
use_run_prefix
wine explorer /desktop=Zelmivo,1366x768 "$program" &
program_pid=$!
sleep 6
import -window root "$ZELMIVO_BUILD/zelmivo-screen.png" &&
    echo "Screenshot: $ZELMIVO_BUILD/zelmivo-screen.png"
wait $program_pid
