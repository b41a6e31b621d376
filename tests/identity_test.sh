#!/usr/bin/env bash
# The Windows program file: its version block, icon, pictures and manifest,
# and that it imports nothing but DLLs every Windows has.
# Usage: identity_test.sh Corvex_Settings.exe
set -euo pipefail
exe=$1
fail() { echo "FAIL: $*" >&2; exit 1; }

resources=$(x86_64-w64-mingw32-windres -i "$exe" -O rc)
expect() { grep -qF -- "$1" <<<"$resources" || fail "missing: $1"; }
for line in 'LANGUAGE 7, 1' 'FILEVERSION 1, 0, 0, 0' 'PRODUCTVERSION 1, 0, 0, 0' 'FILETYPE 0x1' \
    'BLOCK "040704B0"' 'VALUE "FileVersion", "1.00"' 'VALUE "ProductVersion", "1.00"' \
    'VALUE "InternalName", "Corvex_Settings"' 'VALUE "OriginalFilename", "Corvex_Settings.exe"' \
    'VALUE "Translation", 0x407, 1200' \
    '"PICDIP_SW.BMP" RCDATA' '"SWITCH.BMP" RCDATA' '1 24 /* RT_MANIFEST */' 'dpiAware' 'Common-Controls'; do
    expect "$line"
done
# The icon: first the 32 x 32 image in 16 colours (4 bits, 744 bytes of image
# data) the program has always had, then 32-bit images at 16, 20, 24, 32, 40,
# 48, 64 and 256 pixels (octal sizes; 256 is written 0).
expect 'Has 9 elements'
expect '"\040\040\020\000", 1, 4, 0x2e8L, 1'
for size in 020 024 030 040 050 060 100 000; do
    expect "\"\\$size\\$size\\000\\000\", 1, 32,"
done

# DLLs every Windows has, and loaded by every program: the common controls are
# loaded where they are used, not before the first frame.
allowed=' KERNEL32.dll USER32.dll GDI32.dll msvcrt.dll '
imports=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/.*DLL Name: //p')
[[ " $(echo $imports) " == *" KERNEL32.dll "* ]] || fail "no import table read: '$imports'"
for dll in $imports; do
    [[ "$allowed" == *" $dll "* ]] || fail "imports $dll"
done
echo "identity test passed: $(stat -c %s "$exe") bytes"
