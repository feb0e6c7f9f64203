#!/usr/bin/env bash
# Installs what is missing, builds ormlax twice (optimised, and with the address and
# undefined-behaviour sanitizers) and runs every test in both builds.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-dependencies.sh
jobs=$(nproc)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORMLAX_SANITIZE=ON \
  -DORMLAX_BUILD_BENCH=OFF
cmake --build build-sanitize -j "$jobs"
ctest --test-dir build-sanitize --output-on-failure -j "$jobs"
