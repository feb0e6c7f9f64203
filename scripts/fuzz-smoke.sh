#!/usr/bin/env bash
# Builds the libFuzzer targets (build-fuzz, Debian's clang with the address and undefined-behaviour
# sanitizers) and runs each one briefly on its seed corpus in fuzz/corpus. Any crash, hang or
# sanitizer report fails the script; the input that caused it is left in the scratch folder named.
#   bash scripts/fuzz-smoke.sh [SECONDS]     (default: 30 seconds a target)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}

packages=(clang libclang-rt-14-dev cmake ninja-build)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -ne 0 ]; then
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
  fi
  echo "Installing: ${missing[*]}"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DORMLAX_FUZZ=ON
cmake --build build-fuzz -j "$(nproc)"

scratch=$(mktemp -d)
failed=0
for target in tape plugboard assembler text_to_tape typing machine; do
  case $target in
    assembler) max_len=8192 ;;
    machine) max_len=16384 ;;
    *) max_len=4096 ;;
  esac
  # New inputs go to the scratch folder, so the corpus in the repository stays as it is.
  mkdir -p "$scratch/$target"
  echo "== fuzz_$target for $seconds s"
  if ! build-fuzz/fuzz/fuzz_$target -max_total_time="$seconds" -timeout=10 -max_len="$max_len" \
    -rss_limit_mb=2048 -artifact_prefix="$scratch/$target-" "$scratch/$target" \
    "fuzz/corpus/$target" 2> "$scratch/$target.log"; then
    tail -n 60 "$scratch/$target.log"
    echo "fuzz_$target failed; its input is in $scratch"
    failed=1
  else
    grep -E "^Done|^#[0-9]+.*DONE" "$scratch/$target.log" | tail -n 1
  fi
done
if [ "$failed" -ne 0 ]; then
  exit 1
fi
rm -rf "$scratch"
echo "Every fuzz target ran clean."
