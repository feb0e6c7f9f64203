#!/usr/bin/env bash
# Installs what is missing, builds ormlax and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-dependencies.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build
exec build/app/ormlax "$@"
