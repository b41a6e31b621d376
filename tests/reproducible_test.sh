#!/usr/bin/env bash
# The same commit gives the same downloads: scripts/package.sh run in two
# clones of it, in folders of different names and depths, one after the other
# (minutes apart), must write byte-identical files. When they differ,
# diffoscope names the members that differ and how.
# Usage: reproducible_test.sh WORK_DIR   (tests the commit checked out, HEAD)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
work=$1
rm -rf "$work"
mkdir -p "$work"
for folder in "$work/first" "$work/second/one/level/deeper"; do
    git clone -q --no-local "$top" "$folder"
    git -C "$folder" checkout -q "$(git -C "$top" rev-parse HEAD)"
    echo "== packaging in $folder"
    "$folder/scripts/package.sh" >"$folder.log" 2>&1 || { tail -30 "$folder.log"; exit 1; }
done
first=$work/first/dist second=$work/second/one/level/deeper/dist
(cd "$first" && sha256sum ./*.deb ./*.zip ./*.exe)
if (cd "$first" && sha256sum ./*.deb ./*.zip ./*.exe) | (cd "$second" && sha256sum -c --quiet); then
    echo "reproducible: both builds gave the same four downloads"
    exit 0
fi
for download in "$first"/*; do
    name=$(basename "$download")
    cmp -s "$download" "$second/$name" ||
        diffoscope --text - --max-report-size 20000 "$download" "$second/$name" | head -60
done
exit 1
