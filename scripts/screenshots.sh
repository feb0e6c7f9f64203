#!/usr/bin/env bash
# Makes the user's guide's pictures again: builds the screenshot program and runs it on Qt's
# offscreen platform, one screen of 1366 x 768 at 96 DPI, writing docs/images/*.png.
# Usage: scripts/screenshots.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
fi
cmake --build "$build" --target ormlax_screenshots
QT_QPA_PLATFORM="offscreen:configfile=$PWD/tests/app/offscreen_screen.json" \
  "$build/tools/ormlax_screenshots" docs/images
