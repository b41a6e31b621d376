#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
# Packages already present are skipped; nothing is installed when all are.
set -euo pipefail

packages=(
    # build
    g++ make cmake pkg-config qt6-base-dev qt6-qpa-plugins libbenchmark-dev libxcb1-dev
    # sanitizer and fuzzer build
    clang libclang-rt-14-dev
    # fonts that stand in for the window's own
    fonts-liberation2
    # real windows, input and screenshots
    xvfb xauth openbox xdotool x11-utils imagemagick
    # identity and packaging checks
    binutils-mingw-w64-x86-64 desktop-file-utils appstream
)

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
