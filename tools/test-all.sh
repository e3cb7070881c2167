#!/usr/bin/env bash
# Installs, builds and runs the whole test suite, the audio tests against a private PulseAudio loopback.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
bash tools/build.sh
cd build
bash ../tools/with-audio-loopback.sh ctest --output-on-failure --timeout 300 -j "$(nproc)"
