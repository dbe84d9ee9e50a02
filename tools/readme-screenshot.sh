#!/usr/bin/env bash
# Takes docs/screenshot.png: the picker on a private Xvfb, its window cut out of a
# screenshot of the root. Run after ./build.sh test (it needs the built binaries).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
shoot() {
    "$BUILD_DIR/app/tpicker" & pid=$!
    win=$(xdotool search --sync --onlyvisible --pid "$pid" --name '^Tavrin Picker$' | head -n 1)
    xdotool windowfocus --sync "$win"
    xdotool key --delay 30 Tab Tab Tab Tab type --delay 30 200
    xdotool key Tab type --delay 30 100
    xdotool key Tab type --delay 30 30
    sleep 0.5
    eval "$(xdotool getwindowgeometry --shell "$win")"
    "$BUILD_DIR/tests/e2e/xshot" docs/screenshot.png "$X" "$Y" "$WIDTH" "$HEIGHT"
    kill "$pid"
}
export -f shoot
export BUILD_DIR
tests/support/run-on-xvfb.sh 800x600x24 bash -c shoot
echo "wrote docs/screenshot.png"
