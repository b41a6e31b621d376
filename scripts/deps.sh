#!/usr/bin/env bash
# Installs the Debian packages a task needs: scripts/deps.sh run|web|package|test
#   run      building and running the Linux program
#   web      building and serving the web page
#   package  all the packages of test, without the npm packages and the locale
#   test     all of both, the Windows build, Wine, real-window and browser tests,
#            sanitizers, benchmarks; the npm packages of the browser tests, and
#            the German locale the German passes start programs in
# Packages already present are skipped; nothing is installed when all are.
set -euo pipefail

run=(g++ make cmake qt6-base-dev qt6-qpa-plugins fonts-liberation2)
web=(make cmake emscripten esbuild python3)
command -v npm >/dev/null || web+=(npm)
test=("${run[@]}" "${web[@]}" chromium firefox-esr git googletest libbenchmark-dev libxcb1-dev clang libclang-rt-14-dev
    g++-mingw-w64-x86-64 wine wine64 fonts-wine nsis python3
    xvfb xauth openbox qt6-wayland weston xdotool x11-utils xclip wmctrl imagemagick desktop-file-utils appstream
    python3-pyatspi at-spi2-core dbus-bin dbus-daemon orca diffoscope-minimal
    dpkg-dev file lintian valgrind webkit2gtk-driver python3-selenium locales poppler-utils)

case ${1:-test} in
run) packages=("${run[@]}") ;;
web) packages=("${web[@]}") ;;
package | test) packages=("${test[@]}") ;;
*) echo "usage: deps.sh run|web|package|test" >&2; exit 2 ;;
esac

# What the browser tests take from npm, as the lock file pins it.
npm_packages() {
    [ "${1:-test}" = test ] || return 0
    local e2e
    e2e=$(cd "$(dirname "$0")/../tests/e2e" && pwd)
    [ -f "$e2e/node_modules/axe-core/axe.min.js" ] && [ -f "$e2e/node_modules/puppeteer-core/package.json" ] ||
        npm ci --prefix "$e2e" --no-audit --no-fund --loglevel=error
}

# A German desktop's locale, which programs that take their language from the
# C library (WebKitGTK) need generated.
german_locale() {
    [ "${1:-test}" = test ] || return 0
    locale -a | grep -qi '^de_DE\.utf-\?8$' || $sudo localedef -i de_DE -f UTF-8 de_DE.UTF-8
}

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
if [ ${#missing[@]} -eq 0 ]; then
    npm_packages "${1:-test}"
    german_locale "${1:-test}"
    exit 0
fi

export DEBIAN_FRONTEND=noninteractive
echo "Installing: ${missing[*]}"
if ! $sudo apt-get install -y --no-install-recommends "${missing[@]}"; then
    $sudo apt-get update
    $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
npm_packages "${1:-test}"
german_locale "${1:-test}"
