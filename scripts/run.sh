#!/usr/bin/env bash
# From a fresh clone to the running program: the packages it needs, a build
# of the program alone (a unity build: half the time), and the start. The
# program reads ON_SW.bmp and OFF_SW.bmp from the directory it starts in; the
# build places both beside it.
#   scripts/run.sh        the Linux program
#   scripts/run.sh web    the web page, served on http://127.0.0.1:$PORT/ (8080)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
if [ "${1:-}" = web ]; then
    echo "== Packages"
    "$top/scripts/deps.sh" web
    # A tree of its own: the test run's build-web keeps its tests.
    echo "== Building the site in build-site/site/"
    export NODE_PATH=/usr/share/nodejs # where Debian's emcc finds its node modules
    cmake -S "$top" -B "$top/build-site" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
        --toolchain /usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake >/dev/null
    cmake --build "$top/build-site" --target site -j "$(nproc)"
    port=${PORT:-8080}
    echo "== Serving build-site/site/ on http://127.0.0.1:$port/ (Ctrl+C ends)"
    exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$top/build-site/site"
fi
echo "== Packages"
"$top/scripts/deps.sh" run
echo "== Building the program in build-run/"
cmake -S "$top" -B "$top/build-run" -DCMAKE_BUILD_TYPE=Release -DCMAKE_UNITY_BUILD=ON \
    -DBUILD_TESTING=OFF -DCORVEX_BENCH=OFF >/dev/null
cmake --build "$top/build-run" --target Corvex_Settings -j "$(nproc)"
echo "== Starting build-run/app/qt/Corvex_Settings"
cd "$top/build-run/app/qt"
exec ./Corvex_Settings
