#!/usr/bin/env bash
# From a fresh clone to a full test run: packages, the normal build and its
# tests, then the AddressSanitizer + UndefinedBehaviorSanitizer build with the
# fuzzer, and its tests.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/deps.sh"

"$top/scripts/build.sh" "$top/build"
ctest --test-dir "$top/build" --output-on-failure -j 2

"$top/scripts/build.sh" "$top/build-asan" -DCMAKE_CXX_COMPILER=clang++ \
    -DCORVEX_SANITIZE=ON -DCORVEX_FUZZ=ON -DCORVEX_BENCH=OFF
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    LSAN_OPTIONS=suppressions=$top/tests/lsan.supp \
    ctest --test-dir "$top/build-asan" --output-on-failure -j 2
