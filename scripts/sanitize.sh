#!/usr/bin/env bash
# The robustness step of CI, also for running by hand (after scripts/setup.sh, which
# installs clang):
#   scripts/sanitize.sh [FUZZ-SECONDS]      (60 by default; 0 leaves the fuzzing out)
# One clang build in ./build-asan holds the test programs and the fuzz targets, all with
# AddressSanitizer + UBSan (the benchmarks stay out). Every test runs in it with leak
# detection on, then each fuzz target runs for FUZZ-SECONDS on its corpus.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
[[ "$seconds" =~ ^[0-9]+$ ]] || { echo "FUZZ-SECONDS must be a whole number" >&2; exit 2; }

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
start=$SECONDS
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DVT_SANITIZE=ON -DVT_FUZZ=ON -DVT_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build build-asan -j"$(nproc)"
echo "sanitizer build: $((SECONDS - start)) s"

start=$SECONDS
export ASAN_OPTIONS=detect_leaks=1
export LSAN_OPTIONS=suppressions=$PWD/fuzz/lsan.supp
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
(cd build-asan && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)")
echo "tests under the sanitizers: $((SECONDS - start)) s"

if [ "$seconds" -gt 0 ]; then
  start=$SECONDS
  for target in board settings commandline richtext table bitmap; do
    echo "fuzz_$target, $seconds s:"
    VT_FUZZ_BUILD=build-asan bash scripts/fuzz.sh "$target" "$seconds"
  done
  echo "fuzzing: $((SECONDS - start)) s"
fi
