#!/usr/bin/env bash
# Benchmarks, printing figures (the machine is shared and noisy: compare the
# ratios of one run, not figures across runs). RUNS= sets the start-up rounds.
#   1. the window's events (Google Benchmark, offscreen, real image files)
#   2. start-up to the first painted window and peak memory, under Xvfb and
#      openbox: the Qt program against a minimal Qt dialog, and the Windows
#      program under Wine against a minimal Win32 window under Wine; each also
#      against the same least window with a focused text field in a large
#      bold face, the kinds of controls the program has; and the Windows one
#      against that window carrying its manifest (per-monitor DPI awareness),
#      and against the Windows program as built from 47b842d, the last start-up
#      measured within a tenth of the least window
#   3. the size of Corvex_Settings.exe
#   4. scripts/run.sh in a fresh clone, from the command to the first window
#   5. the web page in headless Chromium: a first visit's transfer, the first
#      frame against a minimal page, the slowest images' events
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
runs=${RUNS:-20}
"$top/scripts/deps.sh" test >/dev/null
linux="$top/build-bench" windows="$top/build-bench-windows"
work=$(mktemp -d)
cleanup() { kill $(jobs -p) 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
git clone -q "$top" "$work/then" && git -C "$work/then" checkout -q 47b842d
then="$work/then/build"
for dir in "$linux" "$windows" "$then"; do
    options=(-DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF)
    [ "$dir" = "$linux" ] || options+=(--toolchain "$top/cmake/mingw-w64-x86_64.cmake")
    cmake -S "$(dirname "$dir")" -B "$dir" "${options[@]}" >/dev/null
    cmake --build "$dir" -j "$(nproc)" >/dev/null
done
cp "$then/app/win32/Corvex_Settings.exe" "$then/app/win32/Corvex_Settings_47b842d.exe"

echo "== 1. Events (offscreen, real image files; names as in the README)"
"$linux/bench/bench_events" --benchmark_min_time=0.5 --benchmark_out="$work/events.json"
python3 - "$work/events.json" <<'RATIOS'
import json, sys
times = {b["name"]: b["real_time"] for b in json.load(open(sys.argv[1]))["benchmarks"]}
for event, floor in (("txtFreq_Validate", "read_switch_images/8"), ("pic1_Click", "read_switch_images/1")):
    print(f"{event}: {times[event] / times[floor]:.2f} x {floor} (the same number of raw file reads)")
for event in ("slowest_validation", "slowest_click"):
    name, worst = max(((n, t) for n, t in times.items() if n.startswith(event + "/")), key=lambda i: i[1])
    print(f"{event}: worst {worst / 1000:.2f} ms ({name.split('/', 1)[1]}); a frame at 60 Hz is 16.7 ms")
RATIOS

# A private X display with a black root (the probe waits for a non-black
# pixel) and a window manager; every wait is bounded.
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
display=$((100 + RANDOM % 800))
Xvfb ":$display" -br -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
for _ in $(seq 100); do [ -S "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
export DISPLAY=":$display"
openbox --sm-disable >/dev/null 2>&1 &
for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.1; done
# The pointer rests away from where the windows open: over the Windows
# program it would load the tooltips' library (comctl32) at once.
xdotool mousemove 1023 767

echo
echo "== 2a. Start-up and peak memory: the Qt program against a minimal Qt dialog, median of $runs"
"$linux/bench/startup_probe" "$runs" "$linux/app/qt" "$linux/app/qt/Corvex_Settings" \
    "$linux/app/qt" "$linux/bench/minimal_dialog" "$linux/app/qt" "$linux/bench/minimal_dialog --field"

echo
echo "== 2b. The same for the Windows program under Wine against a minimal Win32 window"
export WINEPREFIX="$work/wineprefix" WINEDEBUG=-all
wineboot -i >/dev/null 2>&1
wineserver -w
wineserver -p # one server for all starts, as on a desktop that runs Wine programs
cp "$top/resources/ON_SW.bmp" "$top/resources/OFF_SW.bmp" "$windows/bench/"
echo "Events in the Windows program (median of 15 batches):"
(cd "$windows/bench" && wine bench_events_win32.exe)
"$linux/bench/startup_probe" "$runs" "$windows/app/win32" "wine Corvex_Settings.exe" \
    "$windows/bench" "wine minimal_dialog.exe" "$windows/bench" "wine minimal_dialog.exe --field" \
    "$windows/bench" "wine minimal_dialog_aware.exe --field" \
    "$then/app/win32" "wine Corvex_Settings_47b842d.exe"
wineserver -k

echo
echo "== 3. Size of the Windows program"
x86_64-w64-mingw32-strip -o "$work/stripped.exe" "$windows/app/win32/Corvex_Settings.exe"
echo "Corvex_Settings.exe: $(stat -c %s "$work/stripped.exe") bytes stripped, as in the zip" \
    "($(stat -c %s "$windows/app/win32/Corvex_Settings.exe") bytes as built)"

echo
echo "== 4. scripts/run.sh in a fresh clone, packages present: command to first window"
git clone -q "$top" "$work/clone"
start=$(date +%s.%N)
"$work/clone/scripts/run.sh" >"$work/run.log" 2>&1 &
shown=""
for _ in $(seq 1800); do
    shown=$(xdotool search --onlyvisible --name '^Settings for Corvex:$' 2>/dev/null | head -1 || true)
    [ -n "$shown" ] && break
    sleep 0.1
done
end=$(date +%s.%N)
[ -n "$shown" ] || { echo "no window after 180 s"; cat "$work/run.log"; exit 1; }
wmctrl -i -c "$shown"
echo "scripts/run.sh to the first window: $(awk "BEGIN { printf \"%.1f\", $end - $start }") s"

echo
echo "== 5. The web page in headless Chromium"
export NODE_PATH=/usr/share/nodejs # where Debian's emcc finds its node modules
web="$top/build-bench-web"
cmake -S "$top" -B "$web" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    --toolchain /usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake >/dev/null
cmake --build "$web" --target site -j "$(nproc)" >/dev/null
mkdir "$work/slowest"
"$linux/bench/write_slowest" "$work/slowest" >"$work/slowest/names.txt"
/usr/bin/python3 "$top/bench/web/web_bench.py" "$web/site" "$work/slowest" "$runs"
