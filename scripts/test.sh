#!/usr/bin/env bash
# Builds everything and runs every test: the platform-neutral core natively
# under AddressSanitizer and UndefinedBehaviorSanitizer, the catalogue reader's
# fuzz target for 30 seconds, then the Windows test programs under Wine on a
# private display. Exits non-zero on any failure.
#
#   bash scripts/test.sh                 everything, as CI runs it
#   bash scripts/test.sh -R <regex>      only the CTest tests matching it (the
#                                        native core and the Windows programs
#                                        alike); no fuzzing
#   bash scripts/test.sh --no-fuzz       everything but the fuzzing
#   bash scripts/test.sh --native        the native core alone, in seconds
set -u -o pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

filter=()
fuzz=1
windows=1
while [ $# -gt 0 ]; do
    case "$1" in
        -R) filter=(-R "$2"); fuzz=0; shift 2 ;;
        --no-fuzz) fuzz=0; shift ;;
        --native) fuzz=0; windows=0; shift ;;
        *) echo "usage: bash scripts/test.sh [-R regex] [--no-fuzz] [--native]" >&2; exit 2 ;;
    esac
done

zelmivo_install_packages || exit 1

echo "== Native core (AddressSanitizer, UndefinedBehaviorSanitizer)"
cmake -S "$ZELMIVO_ROOT" -B "$ZELMIVO_BUILD/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DZELMIVO_CORE_ONLY=ON -DZELMIVO_SANITIZE=ON >/dev/null &&
    cmake --build "$ZELMIVO_BUILD/native" || exit 1
ctest --test-dir "$ZELMIVO_BUILD/native" --output-on-failure --no-tests=ignore "${filter[@]}"
native_status=$?

fuzz_status=0
if [ $fuzz -eq 1 ]; then
    echo "== Fuzzing the catalogue reader (30 s)"
    bash "$ZELMIVO_ROOT/scripts/fuzz.sh" 30
    fuzz_status=$?
fi

windows_status=0
if [ $windows -eq 1 ]; then
    echo "== Windows build (MinGW-w64)"
    zelmivo_build_windows || exit 1

    echo "== Windows tests under Wine"
    trap zelmivo_cleanup EXIT
    trap "exit 130" INT TERM
    zelmivo_start_xvfb || exit 1
    zelmivo_use_prefix "$ZELMIVO_BUILD/win/test-prefix"
    zelmivo_use_virtual_desktop || exit 1
    zelmivo_start_wine_services || exit 1
    ctest --test-dir "$ZELMIVO_BUILD/win" --output-on-failure --no-tests=ignore "${filter[@]}"
    windows_status=$?
fi

[ $native_status -eq 0 ] && [ $fuzz_status -eq 0 ] && [ $windows_status -eq 0 ]
