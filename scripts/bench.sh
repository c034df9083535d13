#!/usr/bin/env bash
# Builds and runs the benchmarks: the catalogue file natively under Google
# Benchmark, then start-up, refresh and scrolling under Wine on a private
# display, each beside its floor. Prints the table and writes
# docs/PERFORMANCE.md with a plot of start-up time against entries.
set -u -o pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

# The plot's tool is needed here only, not by the tests.
ZELMIVO_PACKAGES+=(gnuplot-nox)
zelmivo_install_packages || exit 1

results="$ZELMIVO_BUILD/bench-results"
mkdir -p "$results" || exit 1
rm -f "$results"/*.txt "$results"/*.json

echo "== Catalogue file, natively"
cmake -S "$ZELMIVO_ROOT" -B "$ZELMIVO_BUILD/bench-native" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DZELMIVO_CORE_ONLY=ON -DZELMIVO_BUILD_TESTS=OFF >/dev/null &&
    cmake --build "$ZELMIVO_BUILD/bench-native" --target catalogue_bench || exit 1
"$ZELMIVO_BUILD/bench-native/bench/catalogue_bench" --benchmark_min_time=0.2 \
    --benchmark_repetitions=3 --benchmark_report_aggregates_only=true \
    --benchmark_out="$results/catalogue.json" --benchmark_out_format=json || exit 1

echo "== Windows build (MinGW-w64)"
zelmivo_build_windows startup_stopwatch refresh_bench scroll_bench || exit 1

echo "== Start-up, refresh and scrolling under Wine"
trap zelmivo_cleanup EXIT
trap "exit 130" INT TERM
zelmivo_start_xvfb || exit 1
zelmivo_use_prefix "$ZELMIVO_BUILD/bench-prefix"
zelmivo_start_wine_services || exit 1
bench="$ZELMIVO_BUILD/win/bench"
# Output goes to files: Wine's services would hold a pipe open. Each run has
# a time-out, so that a hung window cannot hold the command.
timeout 600 wine "$bench/startup_stopwatch.exe" "$ZELMIVO_BUILD/win/app/zelmivo.exe" \
    "$bench/floor_window.exe" 9 0 20 100 1000 10000 >"$results/startup.txt" </dev/null || exit 1
timeout 300 wine "$bench/refresh_bench.exe" 1000 7 >"$results/refresh.txt" </dev/null || exit 1
timeout 600 wine "$bench/scroll_bench.exe" steps 3000 30 180 3 >"$results/scroll.txt" \
    </dev/null || exit 1
# One size a process, so that each reads only its own window's memory.
for entries in 3000 10000; do
    timeout 300 wine "$bench/scroll_bench.exe" sweep "$entries" >>"$results/sweep.txt" \
        </dev/null || exit 1
done

echo "== Results"
python3 "$ZELMIVO_ROOT/bench/report.py" "$results" "$ZELMIVO_ROOT/docs/PERFORMANCE.md" \
    "$ZELMIVO_ROOT/docs/startup.png"
