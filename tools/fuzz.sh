#!/usr/bin/env bash
# tools/fuzz.sh SECONDS [TARGET...]
# Builds the fuzz targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer into build-fuzz/
# (configured once) and runs each target for SECONDS, one after the other (all of tests/fuzz/*Fuzz.cpp
# when no TARGET such as WavFuzz is named). Each starts from the seeds of tools/make-fuzz-seeds.py,
# the committed tests/fuzz/corpus/TARGET/ and what earlier runs kept in build-fuzz/corpus/TARGET/.
# Findings (crash-*, leak-*, timeout-*, oom-*) land in build-fuzz/findings/TARGET/, beside units slower
# than ten seconds (slow-unit-*, counted apart), each run's log in build-fuzz/logs/TARGET.log; the exit
# status is 1 when any target found something.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:?usage: tools/fuzz.sh SECONDS [TARGET...]}
shift
if (($#)); then
  targets=("$@")
else
  targets=()
  for source in tests/fuzz/*Fuzz.cpp; do
    name=$(basename "$source" .cpp)
    targets+=("$name")
  done
fi

for tool in clang clang++; do
  command -v "$tool" >/dev/null || { echo "fuzz.sh needs $tool (Debian packages clang and libclang-rt-14-dev)" >&2; exit 2; }
done
if [ ! -f build-fuzz/CMakeCache.txt ]; then
  launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DMARLUNE_BUILD_FUZZ=ON -DMARLUNE_BUILD_TESTS=OFF "${launcher[@]}"
fi
cmake --build build-fuzz -j "${FUZZ_BUILD_JOBS:-$(nproc)}" --target "${targets[@]/#/fuzz_}"

rm -rf build-fuzz/seeds
python3 tools/make-fuzz-seeds.py build-fuzz/seeds
mkdir -p build-fuzz/logs

# The inputs are written to files on each run: memory-backed when there is such a folder.
scratch=$(mktemp -d "$( [ -w /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")/marlune-fuzz.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1:allocator_may_return_null=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
found=0
printf '%-16s %10s %8s %8s %8s %6s %s\n' target runs exec/s cov ft slow findings
for target in "${targets[@]}"; do
  corpus=build-fuzz/corpus/$target
  findings=build-fuzz/findings/$target
  mkdir -p "$corpus" "$findings"
  inputs=("$corpus" "build-fuzz/seeds/$target")
  [ -d "tests/fuzz/corpus/$target" ] && inputs+=("tests/fuzz/corpus/$target")
  status=0
  TMPDIR=$scratch "build-fuzz/tests/fuzz/fuzz_$target" "${inputs[@]}" \
    -max_total_time="$seconds" -rss_limit_mb=2560 -timeout=25 -malloc_limit_mb=512 \
    -artifact_prefix="$findings/" -print_final_stats=1 >"build-fuzz/logs/$target.log" 2>&1 || status=$?
  log=build-fuzz/logs/$target.log
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  last=$(grep -E '^#[0-9]+' "$log" | tail -1 || true)
  cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$last")
  ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$last")
  # Units slower than ten seconds are kept for a look, but only crashes, leaks, timeouts and
  # out-of-memory count as findings.
  slow=$(find "$findings" -type f -name 'slow-unit-*' | wc -l)
  artefacts=$(find "$findings" -type f ! -name 'slow-unit-*' | wc -l)
  ((status != 0 || artefacts > 0)) && found=1
  printf '%-16s %10s %8s %8s %8s %6s %s\n' "$target" "${runs:--}" "${speed:--}" "${cov:--}" "${ft:--}" "$slow" \
    "$artefacts$( ((status != 0)) && echo " (exit $status, see $log)")"
done
exit "$found"
