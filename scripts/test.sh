#!/usr/bin/env bash
# From a fresh clone to a full test run: packages, then four builds and their
# tests. Every build runs even when an earlier one failed; the status says
# whether all passed. At the end: each tree's time and the ten slowest rows.
#   build          the Linux program (GCC): unit tests, artwork, the end-to-end
#                  table in a C, a German and a double-scale pass, its start row
#                  under a headless weston at scale 2, installation
#   build-windows  the Windows program (mingw-w64): unit tests and the same
#                  table under Wine, the program file's identity
#   build-asan     the Linux program with AddressSanitizer and UBSan (Clang):
#                  unit tests, the fuzzer, and the table again, leaks included
#   build-web      the web page (emscripten): the table in Chromium at five scales
#                  and on a phone, and in Firefox and WebKitGTK
#   build-reproducible  the four downloads made twice from clones of HEAD in two
#                  folders, which must be byte-identical
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/deps.sh" test || exit 1
export NODE_PATH=/usr/share/nodejs # where Debian's emcc finds its node modules

failed=() times=() logs=()
check() { # check NAME BUILD_DIR [cmake options...]
    local name=$1 dir=$2 start=$SECONDS
    shift 2
    echo "== $name"
    rm -f "$dir/ctest.txt"
    # Tests on, whatever an earlier configure left in the tree's cache; and a
    # tree with no tests fails rather than passing on nothing.
    if ! "$top/scripts/build.sh" "$dir" -DCORVEX_BENCH=OFF -DBUILD_TESTING=ON "$@"; then
        failed+=("$name (build)")
    elif ! ctest --test-dir "$dir" --output-on-failure --no-tests=error -j 2 | tee "$dir/ctest.txt"; then
        failed+=("$name")
    fi
    logs+=("$dir/ctest.txt")
    times+=("$(printf '%-13s %5d s' "$name" $((SECONDS - start)))")
}

check linux "$top/build"
check windows "$top/build-windows" --toolchain "$top/cmake/mingw-w64-x86_64.cmake"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    LSAN_OPTIONS=suppressions=$top/tests/lsan.supp \
    check sanitizers "$top/build-asan" -DCMAKE_CXX_COMPILER=clang++ -DCORVEX_SANITIZE=ON \
    -DCORVEX_FUZZ=ON

check web "$top/build-web" --toolchain /usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake \
    -DCMAKE_BUILD_TYPE=Release

echo "== reproducible"
start=$SECONDS
"$top/tests/reproducible_test.sh" "$top/build-reproducible" || failed+=("reproducible")
times+=("$(printf '%-13s %5d s' reproducible $((SECONDS - start)))")

# The times to change the suite by: each tree's, building included, and the
# slowest rows of all.
echo "== times"
printf '%s\n' "${times[@]}"
echo "The ten slowest rows:"
for log in "${logs[@]}"; do
    [ -f "$log" ] && sed -nE "s|^ *[0-9]+/[0-9]+ Test +#[0-9]+: ([^ ]+) .* ([0-9.]+) sec$|\2 $(basename "$(dirname "$log")") \1|p" "$log"
done | sort -rn | head -10 | awk '{ printf "%8.1f s  %s %s\n", $1, $2, $3 }'

if [ ${#failed[@]} -gt 0 ]; then
    echo "FAILED: ${failed[*]}"
    exit 1
fi
echo "All tests passed."
