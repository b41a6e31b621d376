#!/usr/bin/env bash
# A real window: screenshot checked pixel by pixel, window manager hints,
# closing through the window manager.
# Usage: window_test.sh APP_DIR CHECKER RESOURCES_DIR SCALE OUT_PNG
source "$(dirname "$0")/session.sh"
app_dir=$1 checker=$2 resources=$3 scale=$4 out=$5

x11_start
cd "$app_dir"
QT_SCALE_FACTOR=$scale ./Corvex_Settings &
app=$!
wid=$(x11_wait_window "Settings for Corvex:")
[ -n "$wid" ] || fail "no window titled 'Settings for Corvex:'"

x11_wait_screenshot "$wid" "$out" "$scale" "$checker" "$resources" || fail "screenshot"

hints=$(xprop -id "$wid" WM_NORMAL_HINTS)
min=$(echo "$hints" | sed -n 's/.*minimum size: \([0-9]* by [0-9]*\).*/\1/p')
max=$(echo "$hints" | sed -n 's/.*maximum size: \([0-9]* by [0-9]*\).*/\1/p')
[ "$min" = "$((312 * scale)) by $((213 * scale))" ] || fail "minimum size is '$min'"
[ "$min" = "$max" ] || fail "resizable: minimum '$min', maximum '$max'"

# What the program asks of the window manager: move and close, a title bar,
# no minimise or maximise button (Motif hints: functions, then decorations).
motif=$(xprop -id "$wid" _MOTIF_WM_HINTS | sed 's/.*= //')
functions=$(echo "$motif" | cut -d, -f2)
decorations=$(echo "$motif" | cut -d, -f3)
(( (functions & 0x18) == 0 && (functions & 0x20) != 0 )) || fail "window functions $functions"
(( (decorations & 0x60) == 0 && (decorations & 0x08) != 0 )) || fail "decorations $decorations"
allowed=$(xprop -id "$wid" _NET_WM_ALLOWED_ACTIONS)
case "$allowed" in
*MAXIMIZE* | *RESIZE*) fail "the window manager allows: $allowed" ;;
esac
xprop -id "$wid" _NET_WM_WINDOW_TYPE | grep -q _NET_WM_WINDOW_TYPE_NORMAL || fail "not a normal window"

# The window manager's close request ends the program with status 0.
xdotool windowactivate --sync "$wid" >/dev/null 2>&1 || true
xdotool key --clearmodifiers alt+F4
x11_wait_exit "$app"
[ "$status" -eq 0 ] || fail "ended with status $status"
echo "window test passed at scale $scale"
