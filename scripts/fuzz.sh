#!/usr/bin/env bash
# Runs one fuzz target for a given time on its corpus:
#   scripts/fuzz.sh board|settings|commandline|richtext|table|bitmap SECONDS
# Builds the fuzz targets with clang in ./build-fuzz when needed (or in the folder
# VT_FUZZ_BUILD names, which must have been configured with -DVT_FUZZ=ON). The corpus
# lives in BUILD/corpus/TARGET (seeded from the shipped worksheets and pictures and
# generated files, and kept between runs); inputs that crash are written to
# BUILD/crashes/TARGET/.
set -euo pipefail
cd "$(dirname "$0")/.."

targets="board|settings|commandline|richtext|table|bitmap"
target=${1:-}
seconds=${2:-}
if [[ ! "$target" =~ ^($targets)$ ]]; then
  echo "usage: scripts/fuzz.sh $targets SECONDS" >&2
  exit 2
fi
[[ "$seconds" =~ ^[0-9]+$ ]] || { echo "SECONDS must be a whole number" >&2; exit 2; }

build=${VT_FUZZ_BUILD:-build-fuzz}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DVT_FUZZ=ON -DVT_BUILD_TESTS=OFF "${launcher[@]}" >/dev/null
fi
cmake --build "$build" -j"$(nproc)" --target "fuzz_$target" vt-fuzz-seeds vt_data >/dev/null

# Absolute paths: the document makes its program folder the current folder.
build=$(cd "$build" && pwd)
corpus=$build/corpus/$target
crashes=$build/crashes/$target
seeds=$build/seeds
mkdir -p "$corpus" "$crashes"
export LSAN_OPTIONS=suppressions=$PWD/fuzz/lsan.supp
export QT_QPA_PLATFORM=offscreen
# The shipped worksheets and answer sheets as the build made them, and the findings.
mapfile -t boards < <(find "$build" -path "$build/corpus" -prune -o -path "$build/seeds" -prune \
  -o -type f \( -name '*.wks' -o -name '*.ant' \) -print)
"$build"/vt-fuzz-seeds "$seeds" "${boards[@]}" "$PWD"/fuzz/findings/*.wks
cp data/bmp/*.bmp "$seeds/bitmap/"
cp fuzz/findings/*.rtf "$seeds/richtext/"

export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
# Our own parts of the corpus first, then the seeds: new finds go to the first folder.
# An input that takes a minute hangs; on a busy machine the first one alone takes seconds.
log=$build/fuzz-$target.log
status=0
"$build/fuzz_$target" "$corpus" "$seeds/$target" \
  -dict="$PWD/fuzz/$target.dict" -max_total_time="$seconds" -timeout=60 -rss_limit_mb=2048 \
  -max_len=65536 -print_final_stats=1 -artifact_prefix="$crashes/" >"$log" 2>&1 || status=$?
grep -E '^#[0-9]+ +(INITED|DONE)|^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)' "$log" || true
if [ "$status" -ne 0 ]; then
  echo "fuzz_$target found a fault (exit $status); the input is in $crashes/:" >&2
  tail -n 60 "$log" >&2
fi
echo "corpus $target: $(ls "$corpus" | wc -l) files"
exit "$status"
