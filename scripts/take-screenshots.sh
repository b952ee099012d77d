#!/usr/bin/env bash
# Takes every picture of docs/screenshots again, headless, from the build in build/:
# the main window and its function tabs over the emulated mouse at 100 % and 150 %, the
# no-device page, the message and about windows and the custom controls.
#
#   scripts/take-screenshots.sh [OUT_FOLDER]     (default docs/screenshots)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/docs/screenshots}")
bin=$root/build/bin
mkdir -p "$out"
cmake --build "$root/build" --target zorvath-config zorvath_main_window_shot \
    zorvath_macro_panel_shot app_window_screenshots >/dev/null

# Private data folders, so the pictures never depend on (or touch) the user's profiles.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export QT_QPA_PLATFORM=offscreen XDG_DATA_HOME=$home/data XDG_CONFIG_HOME=$home/config \
    XDG_CACHE_HOME=$home/cache XDG_RUNTIME_DIR=$home/run
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

shot() {  # name scale program args...
    local name=$1 scale=$2
    shift 2
    ZORVATH_SCALE=$scale "$@" >/dev/null 2>&1 || { echo "failed: $name" >&2; exit 1; }
    echo "$out/$name"
}

shot main_window_100.png 100 "$bin/zorvath-config" --simulate --quit-after 6000 \
    --screenshot "$out/main_window_100.png"
rm -rf "$XDG_DATA_HOME"
shot no_device_100.png 100 "$bin/zorvath-config" --quit-after 4000 \
    --screenshot "$out/no_device_100.png"
for scale in 100 150; do
    shot "light-panel-$scale.png" $scale "$bin/zorvath_main_window_shot" \
        "$out/light-panel-$scale.png" deng_Op_tab
    shot "keyset-panel-$scale.png" $scale "$bin/zorvath_main_window_shot" \
        "$out/keyset-panel-$scale.png" key_Op_tab 1
    shot "mouse-page-$scale.png" $scale "$bin/zorvath_main_window_shot" \
        "$out/mouse-page-$scale.png" system_Op_tab
    shot "shoot-panel-$scale.png" $scale "$bin/zorvath_main_window_shot" \
        "$out/shoot-panel-$scale.png" cursor_Op_tab
    shot "macro-panel-$scale.png" $scale "$bin/zorvath_macro_panel_shot" \
        "$out/macro-panel-$scale.png"
    shot "about, message box and custom controls at $scale %" $scale \
        "$bin/app_window_screenshots" "$out" $scale
done
