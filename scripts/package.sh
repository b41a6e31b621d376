#!/usr/bin/env bash
# Writes the three downloads to dist/: the Debian package of the Linux program
# (corvex-settings_1.00_amd64.deb), and the zip and the setup of the Windows
# program (Corvex_Settings-1.00-win64.zip, Corvex_Settings-1.00-win64-setup.exe),
# each platform from a Release build of its own.
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
for download in corvex-settings_1.00_amd64.deb Corvex_Settings-1.00-win64.zip \
    Corvex_Settings-1.00-win64-setup.exe; do
    [ -f "$top/dist/$download" ] || { echo "not written: $download" >&2; exit 1; }
done
ls -l "$top/dist"
