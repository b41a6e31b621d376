#!/usr/bin/env bash
# Benchmarks, printing figures: the window's events (offscreen), then the
# start-up time and peak memory of the program against a minimal Qt dialog,
# both under Xvfb with openbox.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/deps.sh"
build="$top/build-bench"
"$top/scripts/build.sh" "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null

echo "== Events (Google Benchmark, offscreen, real image files)"
"$build/bench/bench_events" --benchmark_min_time=0.5

echo
echo "== Start-up to the first painted window, and peak resident memory (Xvfb, openbox)"
source "$top/tests/x11/session.sh"
X11_XVFB_ARGS="-br"
x11_start
"$build/bench/startup_probe" "${RUNS:-20}" "$build/app" "$build/app/Corvex_Settings" \
    "$build/app" "$build/bench/minimal_dialog"
