#!/usr/bin/env bash
# A window of a large raster: karvo-report --window of a 1000 x 1000 window in the middle
# of a 10000 x 10000 tiled GeoTIFF, beside the same report of a 1000 x 1000 GeoTIFF holding
# the same cells. The two run in turn, ROUNDS times; the medians and their ratio are printed
# at the end (target: the window takes at most 1.5 times the small file).
#
# With --merge after ROUNDS it then checks the round trip: the big file as 16 windows, two at
# a time through xargs, merged, against the report of the whole file (both with a reference
# of a quarter of the resolution aligned onto the DEM), and prints the lines that differ
# (NMAD and LE90 may, within 0.001).
#
#   bench/window_benchmark.sh [ROUNDS] [--merge]     (default 7 rounds, at least 5)
#
# Environment: KARVO_BENCH_BUILD (build directory, default build-bench in the source
# tree, configured as Release), KARVO_BENCH_DATA (where the grids are generated, default
# /tmp/karvo-bench-window). Not a test: nothing registers it with CTest.
set -euo pipefail

rounds="${1:-7}"
merge="${2:-}"
if [ "$rounds" -lt 5 ]; then
  echo "window_benchmark: at least 5 rounds" >&2
  exit 2
fi
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
build_dir="${KARVO_BENCH_BUILD:-$source_dir/build-bench}"
data_dir="${KARVO_BENCH_DATA:-/tmp/karvo-bench-window}"
size=10000
window=1000
offset=4500

"$source_dir/scripts/ensure-deps.sh"

echo "Building (Release) in $build_dir..."
cmake -S "$source_dir" -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DKARVO_TESTS=OFF >/dev/null
cmake --build "$build_dir" -j2 --target karvo-report make-bench-grids >/dev/null
report="$build_dir/karvo-report"

mkdir -p "$data_dir"
big="$data_dir/dem.tif"
small="$data_dir/window.tif"
reference="$data_dir/reference.tif"
if [ ! -f "$big" ] || [ "$build_dir/bench/make-bench-grids" -nt "$big" ]; then
  echo "Generating a $size x $size DEM as a tiled GeoTIFF in $data_dir..."
  "$build_dir/bench/make-bench-grids" "$data_dir" "$size" "$size"
  gdal_translate -q -co TILED=YES "$data_dir/dem.grd" "$big"
  gdal_translate -q -co TILED=YES -srcwin "$offset" "$offset" "$window" "$window" "$big" "$small"
  gdal_translate -q -r bilinear -outsize 25% 25% "$big" "$reference"
  rm -f "$data_dir/dem.grd" "$data_dir/contours.grd"
fi
# Every command reads the files from the page cache.
cat "$big" "$small" >/dev/null

work="$(mktemp -d /tmp/karvo-bench-window-run.XXXXXX)"
trap 'rm -rf "$work"' EXIT
names=(window small)
timed() {
  local name="$1"
  shift
  local begin end
  begin=$(date +%s%N)
  "$@" >/dev/null 2>&1
  end=$(date +%s%N)
  last=$(awk -v b="$begin" -v e="$end" 'BEGIN { printf "%.3f", (e - b) / 1e9 }')
  echo "$last" >>"$work/$name"
}
run() {
  case "$1" in
    window) timed window "$report" --window "$offset" "$offset" "$window" "$window" "$big" ;;
    small) timed small "$report" "$small" ;;
  esac
}

echo "Machine: $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
for ((round = 0; round < rounds; round++)); do
  line="round $((round + 1)):"
  for ((i = 0; i < ${#names[@]}; i++)); do
    name="${names[$(((round + i) % ${#names[@]}))]}"
    run "$name"
    line+=" $name ${last}s"
  done
  echo "$line"
done
median() {
  sort -n "$1" | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
t_window=$(median "$work/window")
t_small=$(median "$work/small")
ratio=$(awk -v w="$t_window" -v s="$t_small" 'BEGIN { printf "%.2f", w / s }')
echo
printf "%-60s %10s\n" "median of $rounds" "seconds"
printf "%-60s %10s\n" "karvo-report $window x $window file" "$t_small"
printf "%-60s %10s\n" "karvo-report --window $window x $window of $size x $size tiled GeoTIFF" "$t_window"
verdict=$(awk -v r="$ratio" 'BEGIN { print (r <= 1.5) ? "met" : "NOT MET" }')
echo "window / file = ${ratio} (target <= 1.5): $verdict"

if [ "$merge" = "--merge" ]; then
  echo
  echo "Round trip: 16 windows of $size x $size, two at a time, merged, against the whole file..."
  begin=$(date +%s%N)
  "$report" --plan $((size / 4)) "$big" | xargs -P 2 -L 1 sh -c \
    '"$0" --window "$@" --format json "'"$big"'" "'"$reference"'" --type dem --align > "'"$work"'/w_$1_$2.json" 2>/dev/null' "$report"
  "$report" --merge "$work"/w_*.json --format json >"$work/merged.json"
  end=$(date +%s%N)
  "$report" "$big" "$reference" --type dem --align --format json 2>/dev/null >"$work/whole.json"
  whole_end=$(date +%s%N)
  echo "16 windows and the merge: $(awk -v b="$begin" -v e="$end" 'BEGIN { printf "%.1f", (e - b) / 1e9 }')s;" \
    "the whole file: $(awk -v b="$end" -v e="$whole_end" 'BEGIN { printf "%.1f", (e - b) / 1e9 }')s"
  echo "Members that differ (whole, then merged):"
  diff <(tr ',' '\n' <"$work/whole.json") <(tr ',' '\n' <"$work/merged.json") || true
fi
