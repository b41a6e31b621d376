#!/usr/bin/env bash
# Installs into a temporary prefix, validates the desktop entry and the
# AppStream data, and starts the installed program as the desktop entry says.
# Usage: install_test.sh BUILD_DIR WORK_DIR
source "$(dirname "$0")/x11/session.sh"
build_dir=$1 work=$2
rm -rf "$work"
prefix="$work/prefix"

cmake --install "$build_dir" --prefix "$prefix" >/dev/null

for file in bin/Corvex_Settings share/corvex-settings/ON_SW.bmp share/corvex-settings/OFF_SW.bmp \
    share/applications/org.corvex.Settings.desktop share/metainfo/org.corvex.Settings.metainfo.xml \
    share/icons/hicolor/32x32/apps/org.corvex.Settings.png; do
    [ -f "$prefix/$file" ] || fail "not installed: $file"
done
desktop="$prefix/share/applications/org.corvex.Settings.desktop"
desktop-file-validate "$desktop" || fail "desktop entry"
appstreamcli validate --no-net "$prefix/share/metainfo/org.corvex.Settings.metainfo.xml" >/dev/null ||
    fail "AppStream data"

exec_line=$(sed -n 's/^Exec=//p' "$desktop")
path_line=$(sed -n 's/^Path=//p' "$desktop")
[ "$path_line" = "$prefix/share/corvex-settings" ] || fail "Path is $path_line"

x11_start
(cd "$path_line" && exec $exec_line) &
app=$!
wid=$(x11_wait_window "Settings for Corvex:")
[ -n "$wid" ] || fail "the installed program shows no window"
xdotool windowactivate --sync "$wid" >/dev/null 2>&1 || true
xdotool key --clearmodifiers alt+F4
wait "$app" || fail "ended with status $?"
echo "install test passed"
