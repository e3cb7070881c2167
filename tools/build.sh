#!/usr/bin/env bash
# Configures (once) and builds into build/; extra arguments go to the CMake configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -f build/CMakeCache.txt ]; then
  cmake -S . -B build -G Ninja "$@"
elif (($#)); then
  cmake -S . -B build "$@"
fi
cmake --build build -j "$(nproc)"
