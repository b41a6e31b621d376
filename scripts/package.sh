#!/usr/bin/env bash
# Writes the three downloads to dist/: the Debian package of the Linux program
# (corvex-settings_1.00_amd64.deb), and the zip and the setup of the Windows
# program (Corvex_Settings-1.00-win64.zip, Corvex_Settings-1.00-win64-setup.exe),
# each platform from a Release build of its own.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/deps.sh" test
# The same commit gives the same bytes: every time in the downloads is the
# commit's, and nothing of this machine's clock, locale or umask gets in.
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$top" log -1 --format=%ct)}
export SOURCE_DATE_EPOCH TZ=UTC LC_ALL=C.UTF-8
umask 022
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
