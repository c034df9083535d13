#!/usr/bin/env bash
# Builds the catalogue reader's fuzz target natively with clang (libFuzzer,
# AddressSanitizer, UndefinedBehaviorSanitizer) and runs it for the given
# number of seconds (60 by default) from the committed seed corpus. New
# inputs go to build/fuzz/corpus, never into the repository.
set -u -o pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
seconds=${1:-60}

zelmivo_install_packages || exit 1
CC=clang CXX=clang++ cmake -S "$ZELMIVO_ROOT" -B "$ZELMIVO_BUILD/fuzz" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELMIVO_CORE_ONLY=ON -DZELMIVO_BUILD_TESTS=OFF \
    -DZELMIVO_SANITIZE=ON -DZELMIVO_FUZZ=ON >/dev/null &&
    cmake --build "$ZELMIVO_BUILD/fuzz" --target catalogue_reader_fuzz || exit 1
mkdir -p "$ZELMIVO_BUILD/fuzz/corpus" "$ZELMIVO_BUILD/fuzz/findings"
"$ZELMIVO_BUILD/fuzz/tests/fuzz/catalogue_reader_fuzz" -max_total_time="$seconds" \
    -artifact_prefix="$ZELMIVO_BUILD/fuzz/findings/" -print_final_stats=1 \
    "$ZELMIVO_BUILD/fuzz/corpus" "$ZELMIVO_ROOT/tests/fuzz/corpus" 2>&1 |
    grep -E '^(#[0-9]+ +DONE|stat::number_of_executed_units|stat::peak_rss|==[0-9]+==|SUMMARY|INFO: Seed|.*(crash|deadly|leak|timeout)-)'
status=${PIPESTATUS[0]}
[ "$status" -eq 0 ] && echo "Fuzzing: no finding in $seconds s" || echo "Fuzzing found a fault (exit $status): see $ZELMIVO_BUILD/fuzz/findings/"
exit "$status"
