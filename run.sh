#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program with an emulated mouse.
# Without a display it runs headless and writes a screenshot instead.
set -euo pipefail
cd "$(dirname "$0")"

scripts/setup-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target zorvath-config

program=build/bin/zorvath-config
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$program" --simulate "$@"
fi

echo "No display found: running headless with an emulated mouse."
"$program" --simulate --list-interfaces
shot=build/screenshot.png
if QT_QPA_PLATFORM=offscreen "$program" --simulate --screenshot "$shot" --quit-after 4000 "$@" \
    && [ -f "$shot" ]; then
    echo "Screenshot of the main window: $shot"
fi
