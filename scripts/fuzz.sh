#!/usr/bin/env bash
# Builds the grid file fuzzer with clang in build-fuzz/ and runs it for SECONDS (default
# 60) on one core, from the seed corpus that make-fuzz-seeds writes and the corpus that
# earlier runs left in build-fuzz/corpus. Fails on a finding; the input that caused it is
# kept in build-fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
dir=build-fuzz

CC=clang CXX=clang++ cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKARVO_FUZZ=ON -DKARVO_GUI=OFF \
  -DKARVO_TESTS=OFF >/dev/null
cmake --build "$dir" -j"$(nproc)" --target grid-file-fuzzer make-fuzz-seeds
mkdir -p "$dir/seeds" "$dir/corpus" "$dir/findings"
"$dir/make-fuzz-seeds" "$dir/seeds"

# One input that takes seconds is a finding too (-timeout); the final figures go to
# standard error with the run's log.
UBSAN_OPTIONS=print_stacktrace=1 "$dir/tests/fuzz/grid-file-fuzzer" \
  -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$dir/findings/" "$dir/corpus" "$dir/seeds" 2>"$dir/fuzz.log" || {
  tail -n 60 "$dir/fuzz.log"
  echo "The grid file fuzzer found a fault; the input is in $dir/findings/"
  exit 1
}
grep -E '^(Done|stat::)' "$dir/fuzz.log"
