#!/usr/bin/env bash
# Installs into a temporary prefix, validates the desktop entry and the
# AppStream data, and starts the installed program as the desktop entry says.
# Usage: install_test.sh BUILD_DIR WORK_DIR E2E_RUNNER
set -euo pipefail
build_dir=$1 work=$2 e2e=$3
fail() { echo "FAIL: $*" >&2; exit 1; }
rm -rf "$work"
prefix="$work/prefix"
cmake --install "$build_dir" --prefix "$prefix" >/dev/null

desktop="$prefix/share/applications/org.corvex.Settings.desktop"
for file in bin/Corvex_Settings share/corvex-settings/ON_SW.bmp share/corvex-settings/OFF_SW.bmp \
    share/metainfo/org.corvex.Settings.metainfo.xml share/icons/hicolor/{16x16,48x48,256x256}/apps/org.corvex.Settings.png; do
    [ -f "$prefix/$file" ] || fail "not installed: $file"
done
desktop-file-validate "$desktop" || fail "desktop entry"
appstreamcli validate --no-net "$prefix/share/metainfo/org.corvex.Settings.metainfo.xml" >/dev/null ||
    fail "AppStream data"
path_line=$(sed -n 's/^Path=//p' "$desktop")
[ "$path_line" = "$prefix/share/corvex-settings" ] || fail "Path is $path_line"

# The start row of the table, run where the desktop entry runs the program.
"$e2e" --program "$(sed -n 's/^Exec=//p' "$desktop")" --folder "$path_line" --images "$path_line" \
    --resources "$(dirname "$0")/../resources" --work "$work/e2e" --name '^start$'
