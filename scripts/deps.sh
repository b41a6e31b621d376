#!/usr/bin/env bash
# Installs the Debian packages a task needs: scripts/deps.sh run|test
#   run      building and running the Linux program
#   test     all of run, the Windows build, Wine, real-window tests, sanitizers, benchmarks
# Packages already present are skipped; nothing is installed when all are.
set -euo pipefail

run=(g++ make cmake qt6-base-dev qt6-qpa-plugins fonts-liberation2)
test=("${run[@]}" googletest libbenchmark-dev libxcb1-dev clang libclang-rt-14-dev
    g++-mingw-w64-x86-64 wine wine64 fonts-wine nsis python3
    xvfb xauth openbox xdotool x11-utils xclip wmctrl imagemagick desktop-file-utils appstream
    python3-pyatspi at-spi2-core dbus-bin dbus-daemon diffoscope-minimal
    dpkg-dev file lintian valgrind)

case ${1:-test} in
run) packages=("${run[@]}") ;;
test) packages=("${test[@]}") ;;
*) echo "usage: deps.sh run|test" >&2; exit 2 ;;
esac

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
echo "Installing: ${missing[*]}"
if ! $sudo apt-get install -y --no-install-recommends "${missing[@]}"; then
    $sudo apt-get update
    $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
