#!/usr/bin/env bash
# Configures (once) and builds into build/. Options before "--target" go to the CMake configure step;
# the names after "--target" are the only targets built (all of them when none is given).
set -euo pipefail
cd "$(dirname "$0")/.."
configure=()
targets=()
while (($#)); do
  if [ "$1" = "--target" ]; then
    shift
    targets=("$@")
    break
  fi
  configure+=("$1")
  shift
done
if [ ! -f build/CMakeCache.txt ]; then
  cmake -S . -B build -G Ninja "${configure[@]}"
elif ((${#configure[@]})); then
  cmake -S . -B build "${configure[@]}"
fi
if ((${#targets[@]})); then
  cmake --build build -j "$(nproc)" --target "${targets[@]}"
else
  cmake --build build -j "$(nproc)"
fi
