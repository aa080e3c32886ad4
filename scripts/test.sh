#!/usr/bin/env bash
# Builds KARVO and runs every test; the GUI tests run under a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/ensure-deps.sh
jobs="$(nproc)"

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" ctest --test-dir build --output-on-failure -j"$jobs"
