#!/usr/bin/env bash
# Builds the core and its unit tests a second time with AddressSanitizer and UndefinedBehaviorSanitizer
# into build-asan/ and runs them: the unit-labelled test programs only (no Qt, no sound server). The
# GUI program of the same build then starts and quits on a signal file and on a workspace, offscreen:
# a report on the way out (a window destroyed after the frame it talks to) fails the run too.
set -euo pipefail
cd "$(dirname "$0")/.."
flags="-O1 -g1 -fno-omit-frame-pointer -fsanitize=address,undefined -fno-sanitize-recover=undefined"
if [ ! -f build-asan/CMakeCache.txt ]; then
  launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=None -DCMAKE_CXX_FLAGS="$flags" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" "${launcher[@]}"
fi
targets=(test_fuzz_corpus marlune32)
for folder in $(sed -n 's/^marlune_test_dir(\([a-z_0-9]*\) unit)$/\1/p' tests/CMakeLists.txt); do
  targets+=("test_$folder")
done
cmake --build build-asan -j "$(nproc)" --target "${targets[@]}"
cd build-asan
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:allocator_may_return_null=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest -L '^unit$' --output-on-failure --timeout 600 -j "$(nproc)"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
documents=(bin/EXAMPLES/example.wav bin/EXAMPLES/spectral-analysis.mws)
for document in "${documents[@]}"; do
  echo "start and exit: marlune32 $document"
  env -u DISPLAY -u WAYLAND_DISPLAY HOME="$scratch" XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch" \
    QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    timeout 300 bin/marlune32 --screenshot "$scratch/frame.png" "$document"
  test -s "$scratch/frame.png"
  rm "$scratch/frame.png"
done
echo "gui: ${#documents[@]} passed, 0 failed"
