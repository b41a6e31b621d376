# Sourced by the X11 tests: a private Xvfb display with the openbox window
# manager, torn down when the test exits.
set -euo pipefail

x11_start() {
    local fd_file
    X11_RUNTIME=$(mktemp -d)
    chmod 700 "$X11_RUNTIME"
    export XDG_RUNTIME_DIR=$X11_RUNTIME
    fd_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi 96 -nolisten tcp ${X11_XVFB_ARGS:-} 3>"$fd_file" >/dev/null 2>&1 &
    X11_XVFB=$!
    for _ in $(seq 100); do
        [ -s "$fd_file" ] && break
        sleep 0.05
    done
    export DISPLAY=":$(cat "$fd_file")"
    rm -f "$fd_file"
    openbox --sm-disable >/dev/null 2>&1 &
    X11_WM=$!
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.05
    done
    trap x11_stop EXIT
}

x11_stop() {
    kill "$X11_WM" "$X11_XVFB" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$X11_RUNTIME"
}

# Prints the id of the first visible window with exactly this title.
x11_wait_window() {
    local title=$1 id=""
    for _ in $(seq 200); do
        id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -1 || true)
        [ -n "$id" ] && break
        sleep 0.05
    done
    echo "$id"
}

# Waits up to ten seconds for a process to end; sets $status to its status.
x11_wait_exit() {
    local pid=$1
    status=0
    for _ in $(seq 200); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.05
    done
    kill -0 "$pid" 2>/dev/null && fail "process $pid did not end"
    wait "$pid" || status=$?
}

# Takes screenshots of a window until the checker accepts one, for up to five
# seconds; the first paint may follow the map by a moment.
x11_wait_screenshot() {
    local wid=$1 out=$2 scale=$3 checker=$4 resources=$5
    for _ in $(seq 50); do
        import -window "$wid" "$out" 2>/dev/null || true
        QT_QPA_PLATFORM=offscreen "$checker" "$out" "$scale" "$resources" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    QT_QPA_PLATFORM=offscreen "$checker" "$out" "$scale" "$resources" || true
    return 1
}

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
