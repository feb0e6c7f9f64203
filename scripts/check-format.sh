#!/usr/bin/env bash
# Checks that every tracked C++ file is formatted as .clang-format says (clang-format -i mends it).
set -euo pipefail
cd "$(dirname "$0")/.."

git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror
echo "All C++ files are formatted."
