#!/usr/bin/env bash
# Runs one fuzz target for a given time on its corpus:
#   scripts/fuzz.sh board|settings|commandline SECONDS
# Builds the fuzz targets with clang in ./build-fuzz when needed. The corpus lives in
# build-fuzz/corpus/TARGET (seeded from the shipped worksheets and generated files,
# and kept between runs); inputs that crash are written to build-fuzz/crashes/TARGET/.
set -euo pipefail
cd "$(dirname "$0")/.."

target=${1:-}
seconds=${2:-}
case "$target" in
  board|settings|commandline) ;;
  *) echo "usage: scripts/fuzz.sh board|settings|commandline SECONDS" >&2; exit 2 ;;
esac
[[ "$seconds" =~ ^[0-9]+$ ]] || { echo "SECONDS must be a whole number" >&2; exit 2; }

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
if [ ! -f build-fuzz/CMakeCache.txt ]; then
  cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DVT_FUZZ=ON -DVT_BUILD_TESTS=OFF "${launcher[@]}" >/dev/null
fi
cmake --build build-fuzz -j"$(nproc)" --target "fuzz_$target" vt-fuzz-seeds >/dev/null

# Absolute paths: the document makes its program folder the current folder.
corpus=$PWD/build-fuzz/corpus/$target
crashes=$PWD/build-fuzz/crashes/$target
seeds=$PWD/build-fuzz/seeds
mkdir -p "$corpus" "$crashes"
export LSAN_OPTIONS=suppressions=$PWD/fuzz/lsan.supp
export QT_QPA_PLATFORM=offscreen
build-fuzz/vt-fuzz-seeds "$seeds/board" "$seeds/settings" "$seeds/commandline"
if [ "$target" = board ]; then
  find data -name '*.wks' -exec cp {} "$seeds/board/" \;
  cp fuzz/findings/*.wks "$seeds/board/"
fi

export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
# Our own parts of the corpus first, then the seeds: new finds go to the first folder.
log=build-fuzz/fuzz-$target.log
status=0
build-fuzz/"fuzz_$target" "$corpus" "$seeds/$target" \
  -dict="$PWD/fuzz/$target.dict" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -max_len=65536 -print_final_stats=1 -artifact_prefix="$crashes/" >"$log" 2>&1 || status=$?
grep -E '^#[0-9]+ +(INITED|DONE)|^stat::(number_of_executed_units|peak_rss_mb)' "$log" || true
if [ "$status" -ne 0 ]; then
  echo "fuzz_$target found a fault (exit $status); the input is in $crashes/:" >&2
  tail -n 60 "$log" >&2
fi
echo "corpus $target: $(ls "$corpus" | wc -l) files"
exit "$status"
