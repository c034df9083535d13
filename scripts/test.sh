#!/usr/bin/env bash
# Builds everything and runs every test: the platform-neutral core natively
# under AddressSanitizer and UndefinedBehaviorSanitizer, then the Windows test
# programs under Wine on a private display. Exits non-zero on any failure.
set -u -o pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

zelmivo_install_packages || exit 1

echo "== Native core (AddressSanitizer, UndefinedBehaviorSanitizer)"
cmake -S "$ZELMIVO_ROOT" -B "$ZELMIVO_BUILD/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DZELMIVO_CORE_ONLY=ON -DZELMIVO_SANITIZE=ON >/dev/null &&
    cmake --build "$ZELMIVO_BUILD/native" || exit 1
ctest --test-dir "$ZELMIVO_BUILD/native" --output-on-failure
native_status=$?

echo "== Windows build (MinGW-w64)"
zelmivo_build_windows || exit 1

echo "== Windows tests under Wine"
trap zelmivo_cleanup EXIT
trap "exit 130" INT TERM
zelmivo_start_xvfb || exit 1
zelmivo_use_prefix "$ZELMIVO_BUILD/win/test-prefix"
zelmivo_use_virtual_desktop || exit 1
zelmivo_start_wine_services || exit 1
ctest --test-dir "$ZELMIVO_BUILD/win" --output-on-failure
windows_status=$?

[ $native_status -eq 0 ] && [ $windows_status -eq 0 ]
