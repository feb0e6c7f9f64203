#!/usr/bin/env bash
# Installs what is missing, builds ormlax in build-package (optimised, without the tests and
# benchmarks) and makes the Debian package build-package/ormlax_VERSION-1_ARCH.deb.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-dependencies.sh
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DORMLAX_BUILD_TESTS=OFF \
  -DORMLAX_BUILD_BENCH=OFF
cmake --build build-package
rm -f build-package/ormlax_*.deb
(cd build-package && cpack -G DEB)
ls build-package/ormlax_*.deb
