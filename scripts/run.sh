#!/usr/bin/env bash
# Builds Zelmivo and starts it under Wine: on the current display, or on a
# private virtual display when there is none.
set -u -o pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

zelmivo_install_packages || exit 1
zelmivo_build_windows || exit 1

trap zelmivo_cleanup EXIT
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
    zelmivo_start_xvfb || exit 1
    echo "No display: Zelmivo runs on the private display $DISPLAY"
fi
zelmivo_use_prefix "$ZELMIVO_BUILD/run-prefix"
wine "$ZELMIVO_BUILD/win/app/zelmivo.exe"
