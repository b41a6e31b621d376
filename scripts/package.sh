#!/usr/bin/env bash
# Writes the two packages to dist/: the Debian package of the Linux program
# (corvex-settings_1.00_amd64.deb) and the zip of the Windows program
# (Corvex_Settings-1.00-win64.zip), each from a Release build of its own.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/deps.sh" test
mkdir -p "$top/dist"
for platform in linux windows; do
    dir="$top/build-package-$platform"
    options=(-DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DCORVEX_BENCH=OFF)
    [ "$platform" = windows ] && options+=(--toolchain "$top/cmake/mingw-w64-x86_64.cmake")
    echo "== $platform"
    cmake -S "$top" -B "$dir" "${options[@]}" >/dev/null
    cmake --build "$dir" -j "$(nproc)"
    (cd "$dir" && cpack -B "$top/dist")
done
rm -rf "$top/dist/_CPack_Packages"
lintian --fail-on error --suppress-tags binary-without-manpage "$top/dist/corvex-settings_1.00_amd64.deb"
ls -l "$top/dist"
