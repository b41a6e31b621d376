#!/usr/bin/env bash
# Writes the four downloads to dist/, named for the project's version (1.00
# here): the Debian package of the Linux program (corvex-settings_1.00_amd64.deb),
# the zip and the setup of the Windows program (Corvex_Settings-1.00-win64.zip,
# Corvex_Settings-1.00-win64-setup.exe), and the web page's site as it is
# served (Corvex_Settings-1.00-web.zip), each platform from a Release build of
# its own.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/deps.sh" package
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

echo "== web"
export NODE_PATH=/usr/share/nodejs # where Debian's emcc finds its node modules
web="$top/build-package-web"
cmake -S "$top" -B "$web" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DCORVEX_BENCH=OFF \
    --toolchain /usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake >/dev/null
cmake --build "$web" --target site -j "$(nproc)"
# The version as the build wrote it.
version=$(sed -n 's/^#define CORVEX_VERSION_TEXT "\(.*\)"$/\1/p' "$web/version/corvex_version.h")
# Members in name order, each with the commit's time and the same mode.
python3 - "$web/site" "$top/dist/Corvex_Settings-$version-web.zip" "$version" <<'ZIP'
import os, sys, time, zipfile
site, out, version = sys.argv[1:]
stamp = time.gmtime(int(os.environ["SOURCE_DATE_EPOCH"]))[:6]
names = sorted(os.path.relpath(os.path.join(folder, name), site)
               for folder, _, files in os.walk(site) for name in files)
with zipfile.ZipFile(out, "w") as archive:
    for name in names:
        member = zipfile.ZipInfo(f"Corvex_Settings-{version}-web/" + name, stamp)
        member.external_attr, member.compress_type = 0o644 << 16, zipfile.ZIP_DEFLATED
        with open(os.path.join(site, name), "rb") as file:
            archive.writestr(member, file.read(), compresslevel=9)
ZIP
lintian --fail-on error --suppress-tags binary-without-manpage "$top/dist/corvex-settings_${version}_amd64.deb"
for download in "corvex-settings_${version}_amd64.deb" "Corvex_Settings-$version-win64.zip" \
    "Corvex_Settings-$version-win64-setup.exe" "Corvex_Settings-$version-web.zip"; do
    [ -f "$top/dist/$download" ] || { echo "not written: $download" >&2; exit 1; }
done
ls -l "$top/dist"
