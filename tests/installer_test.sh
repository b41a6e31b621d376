#!/usr/bin/env bash
# The Windows setup under Wine: its refusal on Windows 8.1; a silent install
# into a copy of the test prefix; its files, version block, Start-menu shortcut and "Apps & features"
# entry; the table's start row run through the shortcut from a folder without
# images; then a silent uninstall that leaves nothing behind.
# Usage: installer_test.sh BUILD_DIR WORK_DIR WINE_PREFIX PROBE_EXE E2E_RUNNER RESOURCES DESIGN_TABLE_EXE
set -euo pipefail
build_dir=$1 work=$2 prefix=$3 probe=$4 e2e=$5 resources=$6 design=$7
fail() { echo "FAIL: $*" >&2; exit 1; }
win() { timeout 60 wine "$@" | tr -d '\r'; }
settle() { timeout 60 wineserver -w || fail "Wine did not settle within 60 s"; }
# A key is gone when reg says so, not when Wine fails to run reg at all.
gone() {
    local said status=0
    said=$(win reg query "$1" 2>&1) || status=$?
    [ "$status" -eq 1 ] && grep -qi 'unable to find' <<<"$said"
}

rm -rf "$work"
mkdir -p "$work/elsewhere"
(cd "$build_dir" && cpack -G NSIS -B "$work/dist" >/dev/null) || fail "cpack"
setup="$work/dist/Corvex_Settings-1.00-win64-setup.exe"
[ -f "$setup" ] || fail "no $setup"
block=$(x86_64-w64-mingw32-windres -i "$setup" -O rc)
for line in 'PRODUCTVERSION 1, 0, 0, 0' 'VALUE "ProductName", "Corvex_Settings"' \
    'VALUE "ProductVersion", "1.00"' 'VALUE "CompanyName", "Corvex"'; do
    grep -qF -- "$line" <<<"$block" || fail "setup's version block lacks $line"
done

export WINEPREFIX="$work/prefix" WINEDEBUG=-all DISPLAY=
cp -a "$prefix" "$WINEPREFIX"
# On a Windows older than 10 version 1607 the setup refuses and changes nothing.
win reg add 'HKCU\Software\Wine' /v Version /d win81 /f >/dev/null
status=0
win "$setup" /S || status=$?
settle
[ "$status" -eq 3 ] || fail "setup /S on Windows 8.1 ended with $status, not 3"
[ ! -e "$WINEPREFIX/drive_c/Program Files/Corvex_Settings" ] || fail "setup installed on Windows 8.1"
win reg add 'HKCU\Software\Wine' /v Version /d win10 /f >/dev/null
win "$setup" /S || fail "setup /S ended with $?"
settle

folder="$WINEPREFIX/drive_c/Program Files/Corvex_Settings"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Corvex_Settings"
for file in ON_SW.bmp OFF_SW.bmp; do
    cmp -s "$folder/$file" "$resources/$file" || fail "$file not installed as shipped"
done
[ -f "$folder/Corvex_Settings.exe" ] && [ -f "$folder/Uninstall.exe" ] || fail "program or uninstaller missing"

lnk='C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Corvex_Settings\Corvex_Settings.lnk'
exe='C:\Program Files\Corvex_Settings\Corvex_Settings.exe'
shortcut=$(win "$probe" shortcut "$lnk") || fail "shortcut: $shortcut"
[ "$shortcut" = "$exe"$'\n''C:\Program Files\Corvex_Settings'$'\n'"$exe,0" ] ||
    fail "shortcut's target, working folder, icon: $shortcut"

key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Corvex_Settings'
entry=$(win reg query "$key" | tr -s ' ') || fail "no uninstall entry"
kib=$(($(cat "$folder"/* | wc -c) / 1024))
for value in 'DisplayName REG_SZ Corvex_Settings' 'DisplayVersion REG_SZ 1.00' 'Publisher REG_SZ Corvex' \
    "DisplayIcon REG_SZ $exe" 'UninstallString REG_SZ "C:\Program Files\Corvex_Settings\Uninstall.exe"' \
    'NoModify REG_DWORD 0x1' 'NoRepair REG_DWORD 0x1' "EstimatedSize REG_DWORD $(printf '0x%x' $kib)"; do
    grep -qF -- " $value" <<<"$entry" || fail "uninstall entry lacks $value: $entry"
done

# Started as the Start menu starts it, from a folder that holds no images: it
# finds them only if the shortcut starts it in its own folder.
"$e2e" --program "wine $probe open '$lnk'" --folder "$work/elsewhere" --images "$folder" \
    --resources "$resources" --work "$work/e2e" --wine-prefix "$WINEPREFIX" --name '^start$' \
    --design "wine $design" --win32-probe "wine $probe"

win "$folder/Uninstall.exe" /S || fail "uninstall /S ended with $?"
settle
[ ! -e "$folder" ] || fail "left behind: $(ls "$folder")"
[ ! -e "$menu" ] || fail "Start-menu folder left behind"
gone "$key" || fail "uninstall entry left behind"
gone 'HKLM\Software\Corvex' || fail "HKLM\\Software\\Corvex left behind"
echo "installer test passed: $(stat -c %s "$setup") bytes"
