#!/usr/bin/env bash
# Makes the Debian package, checks it with lintian, unpacks it into a
# temporary root (nothing is installed here), checks its contents, desktop
# entry and AppStream data, and starts the program as the desktop entry says.
# Usage: package_test.sh BUILD_DIR WORK_DIR E2E_RUNNER DESIGN_TABLE
set -euo pipefail
build_dir=$1 work=$2 e2e=$3 design=$4
fail() { echo "FAIL: $*" >&2; exit 1; }
rm -rf "$work"
(cd "$build_dir" && cpack -G DEB -B "$work/dist" >/dev/null) || fail "cpack"
deb="$work/dist/corvex-settings_1.00_amd64.deb"
[ -f "$deb" ] || fail "no $deb"

lintian --fail-on error --suppress-tags binary-without-manpage "$deb" || fail "lintian reports errors"
depends=$(dpkg-deb -f "$deb" Depends)
[[ "$depends" == *libqt6widgets6* && "$depends" == *libc6* && "$depends" == *qt6-qpa-plugins* ]] || fail "Depends: $depends"
[ "$(dpkg-deb -f "$deb" Recommends)" = qt6-wayland ] || fail "no Recommends: qt6-wayland"

root="$work/root"
mkdir -p "$root"
dpkg-deb -x "$deb" "$root"
desktop="$root/usr/share/applications/org.corvex.Settings.desktop"
for file in usr/bin/Corvex_Settings usr/share/corvex-settings/ON_SW.bmp \
    usr/share/corvex-settings/OFF_SW.bmp usr/share/metainfo/org.corvex.Settings.metainfo.xml \
    usr/share/icons/hicolor/{16x16,24x24,32x32,48x48,64x64,128x128,256x256}/apps/org.corvex.Settings.png \
    usr/share/doc/corvex-settings/copyright; do
    [ -f "$root/$file" ] || fail "not in the package: $file"
done
desktop-file-validate "$desktop" || fail "desktop entry"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.corvex.Settings.metainfo.xml" \
    >/dev/null || fail "AppStream data"
path=$(sed -n 's/^Path=//p' "$desktop")
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
[ "$path" = /usr/share/corvex-settings ] || fail "Path is $path"
[ "$exec_line" = /usr/bin/Corvex_Settings ] || fail "Exec is $exec_line"
grep -qx 'StartupWMClass=Corvex_Settings' "$desktop" || fail "no StartupWMClass matching the window"

# The start row of the table, run from the entry's Path= inside the unpacked root.
# On a session bus of its own, as a desktop has one: what its screen reader reads.
mkdir -p -m 700 "$work/runtime"
XDG_RUNTIME_DIR="$work/runtime" dbus-run-session -- \
    "$e2e" --program "$root$exec_line" --folder "$root$path" --images "$root$path" \
    --resources "$(dirname "$0")/../resources" --work "$work/e2e" --name '^start$' --design "$design"
