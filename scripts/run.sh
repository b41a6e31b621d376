#!/usr/bin/env bash
# From a fresh clone to the running program: packages, build, start.
# The program reads ON_SW.bmp and OFF_SW.bmp from the directory it starts in;
# the build places both beside it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/deps.sh"
"$top/scripts/build.sh" "$top/build" >/dev/null
cd "$top/build/app"
exec ./Corvex_Settings
