#!/usr/bin/env bash
# Builds KARVO and runs it on the bundled sample data.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/ensure-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
exec build/karvo-report build/sample/mountain.grd build/sample/mountain_contours.grd --type contour
