#!/usr/bin/env bash
# Builds KARVO and runs every test; the GUI tests run under a virtual X server. Then the
# core tests once more, built with AddressSanitizer and UndefinedBehaviorSanitizer, and,
# where clang is installed, 40 seconds of each fuzzer (text grids and rasters).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/ensure-deps.sh
jobs="$(nproc)"
# Every test has a timeout of its own; this one is for any that was registered without.
timeout=600

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" ctest --test-dir build --output-on-failure -j"$jobs" --timeout "$timeout"

# A read outside an array, a leak or undefined behaviour ends the test that caused it
# with the sanitizer's report.
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKARVO_SANITIZE=ON -DKARVO_GUI=OFF >/dev/null
cmake --build build-sanitize -j"$jobs"
UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir build-sanitize --output-on-failure -j"$jobs" --timeout "$timeout" -L core

if command -v clang++ >/dev/null; then
  scripts/fuzz.sh 40
else
  echo "clang++ not found: the fuzzers do not run"
fi
