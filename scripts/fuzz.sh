#!/usr/bin/env bash
# Builds the fuzzers with clang in build-fuzz/ and runs each for SECONDS (default 60) on
# one core: the grid file fuzzer (text grids) and the raster fuzzer (the formats read
# untrusted), each from the seed corpus its seed writer makes and the corpus that earlier
# runs left in build-fuzz/. WHICH (grid, raster or both, the default) picks the fuzzers.
# Fails on a finding; the input that caused it is kept in build-fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
which="${2:-both}"
dir=build-fuzz

CC=clang CXX=clang++ cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKARVO_FUZZ=ON -DKARVO_GUI=OFF \
  -DKARVO_TESTS=OFF >/dev/null
cmake --build "$dir" -j"$(nproc)" --target grid-file-fuzzer make-fuzz-seeds raster-file-fuzzer make-raster-seeds
mkdir -p "$dir/seeds" "$dir/corpus" "$dir/raster-seeds" "$dir/raster-corpus" "$dir/findings"
"$dir/make-fuzz-seeds" "$dir/seeds"
"$dir/tests/fuzz/make-raster-seeds" "$dir/raster-seeds" 2>/dev/null

# run NAME FUZZER CORPUS SEEDS [OPTION...]: one input that takes seconds is a finding too
# (-timeout); the final figures go to standard error with the run's log.
run() {
  local log="$dir/$1.log" name="$1" fuzzer="$2" corpus="$3" seeds="$4"
  shift 4
  UBSAN_OPTIONS=print_stacktrace=1 "$dir/tests/fuzz/$fuzzer" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 "$@" \
    -artifact_prefix="$dir/findings/$name-" "$dir/$corpus" "$dir/$seeds" 2>"$log" || {
    tail -n 60 "$log"
    echo "The $name fuzzer found a fault; the input is in $dir/findings/"
    exit 1
  }
  echo "$name:"
  grep -E '^(Done|stat::)' "$log"
}

if [ "$which" != raster ]; then
  run grid grid-file-fuzzer corpus seeds
fi
if [ "$which" != grid ]; then
  # The netCDF library allocates what a classic header claims for a name or a text (4 GiB
  # and more from a 3 KB file) and gives up when it gets nothing, which is what it gets
  # beyond 1 GiB here, as on a machine with less memory.
  ASAN_OPTIONS=allocator_may_return_null=1:max_allocation_size_mb=1024 \
    run raster raster-file-fuzzer raster-corpus raster-seeds
fi
