#!/usr/bin/env bash
# Pictures of the main window after each exercise family, taken under a
# virtual X server from a Release build: ./scripts/screenshot.sh [FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."

out="${1:-build/screenshots}"
build=build/screenshot
display=:99

if [ ! -f "$build/build.ninja" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVORN_BUILD_BENCH=OFF >/dev/null
fi
cmake --build "$build" --target vorn_app_screenshot -- --quiet

if [ -e "/tmp/.X${display#:}-lock" ]; then
    echo "L'affichage $display est déjà pris." >&2
    exit 1
fi
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X${display#:}" ] && break
    sleep 0.1
done

DISPLAY="$display" QT_QPA_PLATFORM=xcb "$build/tests/app/vorn_app_screenshot" "$out"
