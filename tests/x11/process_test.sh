#!/usr/bin/env bash
# The program as a process: one window, a fresh start every time, and the
# error report when a switch image cannot be read, at start or on a click.
# Usage: process_test.sh APP CHECKER RESOURCES_DIR WORK_DIR
source "$(dirname "$0")/session.sh"
app_bin=$1 checker=$2 resources=$3 work=$4
rm -rf "$work"
mkdir -p "$work"

# start DIR: runs the program in DIR, stderr to DIR/stderr.txt; sets $app.
start() {
    (cd "$1" && exec "$app_bin" 2>"$1/stderr.txt") &
    app=$!
}

# click_switch WID K: a real click on switch K of the settings window.
click_switch() {
    xdotool mousemove --window "$1" $((109 + 12 * ($2 - 1) + 4)) 174 click 1
}

# expect_report DIR FILE: the report shows instead of the settings window,
# names FILE on stderr, and the program ends with a failure once it is
# dismissed.
expect_report() {
    local dir=$1 file=$2 box
    box=$(x11_wait_window "Corvex_Settings")
    [ -n "$box" ] || fail "$dir: no error report"
    [ -z "$(xdotool search --onlyvisible --name '^Settings for Corvex:$' 2>/dev/null || true)" ] ||
        fail "$dir: the settings window is still shown behind the report"
    grep -q "\"$file\"" "$dir/stderr.txt" || fail "$dir: stderr does not name $file: $(cat "$dir/stderr.txt")"
    grep -q "must lie in the folder" "$dir/stderr.txt" || fail "$dir: no advice on stderr"
    xdotool windowactivate --sync "$box" >/dev/null 2>&1 || true
    xdotool windowfocus --sync "$box" >/dev/null 2>&1 || true
    xdotool key Return
    x11_wait_exit "$app"
    [ "$status" -eq 1 ] || fail "$dir: ended with status $status after an error, not 1"
    echo "report for $dir: status $status"
}

x11_start

# Images missing, one missing, or corrupt: the program never shows its window.
mkdir -p "$work/none" "$work/only_on" "$work/corrupt"
cp "$resources/ON_SW.bmp" "$work/only_on/"
cp "$resources/OFF_SW.bmp" "$work/corrupt/"
echo "not a picture" >"$work/corrupt/ON_SW.bmp"
start "$work/none" && expect_report "$work/none" ON_SW.bmp
start "$work/only_on" && expect_report "$work/only_on" OFF_SW.bmp
start "$work/corrupt" && expect_report "$work/corrupt" ON_SW.bmp
grep -q "Unsupported image format\|not" "$work/corrupt/stderr.txt" || fail "no reason given"

# A good folder: exactly one window; changes do not survive a restart.
mkdir -p "$work/good"
cp "$resources/ON_SW.bmp" "$resources/OFF_SW.bmp" "$work/good/"
for round in 1 2; do
    start "$work/good"
    wid=$(x11_wait_window "Settings for Corvex:")
    [ -n "$wid" ] || fail "no settings window"
    windows=$(xdotool search --onlyvisible --pid "$app" 2>/dev/null | wc -l)
    [ "$windows" -eq 1 ] || fail "$windows windows shown"
    x11_wait_screenshot "$wid" "$work/start$round.png" 1 "$checker" "$resources" ||
        fail "start $round does not show 87.5 MHz"
    click_switch "$wid" 1
    xdotool windowactivate --sync "$wid" >/dev/null 2>&1 || true
    xdotool key --clearmodifiers alt+F4
    x11_wait_exit "$app"
    [ "$status" -eq 0 ] || fail "closing ended with status $status"
done

# An image that disappears while running: the next click reports it.
start "$work/good"
wid=$(x11_wait_window "Settings for Corvex:")
[ -n "$wid" ] || fail "no settings window"
sleep 0.3
rm "$work/good/OFF_SW.bmp"
click_switch "$wid" 1
expect_report "$work/good" OFF_SW.bmp
echo "process test passed"
