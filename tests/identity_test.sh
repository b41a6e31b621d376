#!/usr/bin/env bash
# The Windows resource script compiles, and the result carries the icon and
# the version block the program declares.
# Usage: identity_test.sh RESOURCES_DIR WORK_DIR
set -euo pipefail
resources=$1 work=$2
mkdir -p "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }

cd "$resources"
x86_64-w64-mingw32-windres --preprocessor=cpp Corvex_Settings.rc -O res -o "$work/Corvex_Settings.res"
decompiled=$(x86_64-w64-mingw32-windres -i "$work/Corvex_Settings.res" -O rc)

expect() {
    grep -qF -- "$1" <<<"$decompiled" || fail "missing: $1"
}
expect 'LANGUAGE 7, 1'
expect 'FILEVERSION 1, 0, 0, 0'
expect 'PRODUCTVERSION 1, 0, 0, 0'
expect 'FILETYPE 0x1'
expect 'BLOCK "040704B0"'
expect 'VALUE "FileVersion", "1.00"'
expect 'VALUE "ProductVersion", "1.00"'
expect 'VALUE "InternalName", "Corvex_Settings"'
expect 'VALUE "OriginalFilename", "Corvex_Settings.exe"'
expect 'VALUE "Translation", 0x407, 1200'
# One icon: 32 x 32, 16 colours, 4 bits, 744 bytes of image data.
expect 'Has 1 elements'
expect '"\040\040\020\000", 1, 4, 0x2e8L'
echo "identity test passed"
