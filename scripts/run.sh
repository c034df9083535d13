#!/usr/bin/env bash
# Builds Zelmivo and starts it under Wine: on the current display, or on a
# private virtual display when there is none (a screenshot of it is then
# written to build/zelmivo-screen.png a few seconds after the start).
set -u -o pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

zelmivo_prepare_run || exit 1
program="$ZELMIVO_BUILD/win/app/zelmivo.exe"
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    zelmivo_use_prefix "$ZELMIVO_BUILD/run-prefix"
    wine "$program"
    exit $?
fi

zelmivo_start_xvfb || exit 1
echo "No display: Zelmivo runs on the private display $DISPLAY"
zelmivo_use_prefix "$ZELMIVO_BUILD/run-prefix"
wine explorer /desktop=Zelmivo,1366x768 "$program" &
program_pid=$!
sleep 6
import -window root "$ZELMIVO_BUILD/zelmivo-screen.png" &&
    echo "Screenshot: $ZELMIVO_BUILD/zelmivo-screen.png"
wait $program_pid
