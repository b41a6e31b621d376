#!/usr/bin/env bash
# From a fresh clone to the running program: the packages it needs, a build
# of the program alone (a unity build: half the time), and the start. The
# program reads ON_SW.bmp and OFF_SW.bmp from the directory it starts in; the
# build places both beside it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
echo "== Packages"
"$top/scripts/deps.sh" run
echo "== Building the program in build-run/"
cmake -S "$top" -B "$top/build-run" -DCMAKE_BUILD_TYPE=Release -DCMAKE_UNITY_BUILD=ON \
    -DBUILD_TESTING=OFF -DCORVEX_BENCH=OFF >/dev/null
cmake --build "$top/build-run" --target Corvex_Settings -j "$(nproc)"
echo "== Starting build-run/app/qt/Corvex_Settings"
cd "$top/build-run/app/qt"
exec ./Corvex_Settings
