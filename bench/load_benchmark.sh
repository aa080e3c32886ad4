#!/usr/bin/env bash
# Loading a large DEM: karvo-report (read, mesh scaling, curvature, report) on a
# 4000 x 4000 grid, the same with a contour raster, the same with the HTML page, with a
# reference of a quarter of the resolution aligned onto it (--align) and coregistered
# (--align --coregister), the grid
# reader alone, and GDAL's ASCII grid driver reading the same file. The commands run one after the other in
# turn, ROUNDS times (each round starts with the next command), so that a slow phase
# of the machine hits them all alike; the medians, their ratios to GDAL and the peak
# memory are printed at the end.
#
#   bench/load_benchmark.sh [ROUNDS]        (default 7, at least 5)
#
# Environment: KARVO_BENCH_BUILD (build directory, default build-bench in the source
# tree, configured as Release), KARVO_BENCH_DATA (where the grids are generated, default
# /tmp/karvo-bench), KARVO_BENCH_SIZE (rows and columns, default 4000).
# Not a test: nothing registers it with CTest.
set -euo pipefail

rounds="${1:-7}"
if [ "$rounds" -lt 5 ]; then
  echo "load_benchmark: at least 5 rounds" >&2
  exit 2
fi
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
build_dir="${KARVO_BENCH_BUILD:-$source_dir/build-bench}"
data_dir="${KARVO_BENCH_DATA:-/tmp/karvo-bench}"
size="${KARVO_BENCH_SIZE:-4000}"

# GDAL's gdal_translate and GNU time come with the project's packages.
"$source_dir/scripts/ensure-deps.sh"

echo "Building (Release) in $build_dir..."
cmake -S "$source_dir" -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DKARVO_TESTS=OFF >/dev/null
cmake --build "$build_dir" -j2 --target karvo-report bench-read-grid make-bench-grids bench-touch-memory >/dev/null

mkdir -p "$data_dir"
dem="$data_dir/dem.grd"
contours="$data_dir/contours.grd"
stamp="$data_dir/size-$size"
if [ ! -f "$stamp" ] || [ ! -f "$dem" ] || [ ! -f "$contours" ] || [ "$build_dir/bench/make-bench-grids" -nt "$stamp" ]; then
  echo "Generating a $size x $size DEM and its contour raster in $data_dir..."
  rm -f "$data_dir"/size-*
  "$build_dir/bench/make-bench-grids" "$data_dir" "$size" "$size"
  touch "$stamp"
fi
# A reference DEM of a quarter of the resolution over the same area, for --align.
reference="$data_dir/reference.tif"
if [ ! -f "$reference" ] || [ "$dem" -nt "$reference" ]; then
  gdal_translate -q -r bilinear -outsize 25% 25% "$dem" "$reference"
fi
# Every command reads the files from the page cache.
cat "$dem" "$contours" "$reference" >/dev/null

# The arrays the model holds after loading: the grid, the two levels of every cell (a
# byte each) and the curvature values; with comparison data also its grid and the
# difference values.
rows=$(awk '$1 == "nrows" { print $2; exit }' "$dem")
cols=$(awk '$1 == "ncols" { print $2; exit }' "$dem")
model_kb=$(awk -v r="$rows" -v c="$cols" 'BEGIN { printf "%d", (r * c * 4 + (r - 1) * (c - 1) * 2 + r * c * 4) / 1024 }')
pair_kb=$(awk -v m="$model_kb" -v r="$rows" -v c="$cols" 'BEGIN { printf "%d", m + 2 * r * c * 4 / 1024 }')

work="$(mktemp -d /tmp/karvo-bench-run.XXXXXX)"
trap 'rm -rf "$work"' EXIT

names=(report contour html aligned coregister reader gdal touch)
# Runs one command under GNU time: wall seconds (nanosecond clock) and peak resident KB.
timed() {
  local name="$1"
  shift
  local begin end
  begin=$(date +%s%N)
  /usr/bin/time -f "%M" -o "$work/rss" "$@" >/dev/null 2>&1
  end=$(date +%s%N)
  local seconds
  seconds=$(awk -v b="$begin" -v e="$end" 'BEGIN { printf "%.3f", (e - b) / 1e9 }')
  echo "$seconds $(tail -n 1 "$work/rss")" >>"$work/$name"
  last="$seconds"
}
run() {
  case "$1" in
    report) timed report "$build_dir/karvo-report" "$dem" ;;
    contour) timed contour "$build_dir/karvo-report" "$dem" "$contours" --type contour ;;
    html) timed html "$build_dir/karvo-report" --html "$work/page.html" "$dem" ;;
    aligned) timed aligned "$build_dir/karvo-report" --align "$dem" "$reference" --type dem ;;
    coregister) timed coregister "$build_dir/karvo-report" --align --coregister "$dem" "$reference" --type dem ;;
    reader) timed reader "$build_dir/bench/bench-read-grid" "$dem" ;;
    # Only writes as much fresh memory as the model's arrays: the system's share of a load.
    touch) timed touch "$build_dir/bench/bench-touch-memory" "$((model_kb / 1024))" ;;
    gdal)
      # No side-car files, so that nothing is kept from one run to the next.
      timed gdal env GDAL_PAM_ENABLED=NO gdal_translate -q -of ENVI "$dem" "$work/gdal.envi"
      rm -f "$work"/gdal.*
      ;;
  esac
}

echo "Machine: $(nproc) cores, $(lscpu | sed -n 's/^Model name: *//p'), load $(cut -d' ' -f1-3 /proc/loadavg)"
echo "Rounds: $rounds; file $(du -m "$dem" | cut -f1) MB"
for ((round = 0; round < rounds; round++)); do
  line="round $((round + 1)):"
  for ((i = 0; i < ${#names[@]}; i++)); do
    name="${names[$(((round + i) % ${#names[@]}))]}"
    run "$name"
    line+=" $name ${last}s"
  done
  echo "$line"
done

median() {  # column $2 of file $1
  sort -n -k"$2" "$1" | awk -v k="$2" '{ v[NR] = $k } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
for name in "${names[@]}"; do
  declare "t_$name=$(median "$work/$name" 1)"
  declare "m_$name=$(median "$work/$name" 2)"
done


echo
printf "%-44s %10s %12s\n" "median of $rounds" "seconds" "peak MB"
printf "%-44s %10s %12.0f\n" "GDAL gdal_translate -of ENVI (read)" "$t_gdal" "$(awk -v k="$m_gdal" 'BEGIN { print k / 1024 }')"
printf "%-44s %10s %12.0f\n" "reader alone (bench-read-grid)" "$t_reader" "$(awk -v k="$m_reader" 'BEGIN { print k / 1024 }')"
printf "%-44s %10s %12.0f\n" "karvo-report DEM" "$t_report" "$(awk -v k="$m_report" 'BEGIN { print k / 1024 }')"
printf "%-44s %10s %12.0f\n" "karvo-report DEM + contours (--type contour)" "$t_contour" "$(awk -v k="$m_contour" 'BEGIN { print k / 1024 }')"
printf "%-44s %10s %12.0f\n" "karvo-report DEM --html (the page)" "$t_html" "$(awk -v k="$m_html" 'BEGIN { print k / 1024 }')"
printf "%-44s %10s %12.0f\n" "karvo-report DEM + reference (--align)" "$t_aligned" "$(awk -v k="$m_aligned" 'BEGIN { print k / 1024 }')"
printf "%-44s %10s %12.0f\n" "the same, --coregister" "$t_coregister" "$(awk -v k="$m_coregister" 'BEGIN { print k / 1024 }')"
printf "%-44s %10s %12.0f\n" "fresh memory of the model's size, bare process" "$t_touch" "$(awk -v k="$m_touch" 'BEGIN { print k / 1024 }')"
echo
verdict() { if awk "BEGIN { exit !($1) }"; then echo "met"; else echo "NOT MET"; fi; }
speedup=$(awk -v g="$t_gdal" -v r="$t_reader" 'BEGIN { printf "%.2f", g / r }')
report_ratio=$(awk -v g="$t_gdal" -v r="$t_report" 'BEGIN { printf "%.2f", r / g }')
contour_ratio=$(awk -v g="$t_gdal" -v r="$t_contour" 'BEGIN { printf "%.2f", r / g }')
# What the program takes before it reads anything (its libraries, GDAL's among them) is
# not the model's: the arrays are compared with what a run holds beyond it.
/usr/bin/time -f "%M" -o "$work/bare" "$build_dir/karvo-report" --version >/dev/null
bare_kb=$(tail -n 1 "$work/bare")
over=$(awk -v m="$m_report" -v b="$bare_kb" -v a="$model_kb" 'BEGIN { printf "%.1f", ((m - b) / a - 1) * 100 }')
over_pair=$(awk -v m="$m_contour" -v b="$bare_kb" -v a="$pair_kb" 'BEGIN { printf "%.1f", ((m - b) / a - 1) * 100 }')
echo "reader alone: GDAL / reader = ${speedup}x (target >= 5x): $(verdict "$speedup >= 5")"
echo "karvo-report DEM: report / GDAL = ${report_ratio} (target <= 0.30): $(verdict "$report_ratio <= 0.30")"
echo "karvo-report with contours: report / GDAL = ${contour_ratio}"
html_more=$(awk -v h="$t_html" -v r="$t_report" 'BEGIN { printf "%.3f", h - r }')
echo "karvo-report DEM --html ${t_html}s, plain ${t_report}s: the page takes ${html_more}s more" \
  "(target < 2): $(verdict "$html_more < 2")"
align_more=$(awk -v a="$t_aligned" -v r="$t_report" 'BEGIN { printf "%.3f", a - r }')
echo "karvo-report DEM + reference --align ${t_aligned}s, DEM alone ${t_report}s: reading and aligning the" \
  "reference takes ${align_more}s more (target < 1): $(verdict "$align_more < 1")"
# Coregistering is judged against the plain report of the same pair: both read and align
# the reference, and only the fit and its resamplings are the coregistration's own.
coregister_ratio=$(awk -v c="$t_coregister" -v a="$t_aligned" 'BEGIN { printf "%.2f", c / a }')
coregister_dem=$(awk -v c="$t_coregister" -v r="$t_report" 'BEGIN { printf "%.2f", c / r }')
echo "karvo-report --align --coregister ${t_coregister}s: ${coregister_ratio} times the plain report of the" \
  "pair (target <= 3): $(verdict "$coregister_ratio <= 3"); ${coregister_dem} times the DEM alone"
echo "fresh memory of the model's size alone took ${t_touch}s in a bare process (the system's share of karvo-report's time)"
echo "karvo-report without data (libraries, GDAL's among them): $((bare_kb / 1024)) MB"
echo "peak memory of karvo-report DEM: $((m_report / 1024)) MB, model arrays $((model_kb / 1024)) MB" \
  "(grid, cell levels, curvature): beyond the program without data ${over}% above (target <= 10%):" \
  "$(verdict "$over <= 10")"
echo "peak memory with contours: $((m_contour / 1024)) MB, model arrays $((pair_kb / 1024)) MB" \
  "(plus comparison grid and differences): beyond the program without data ${over_pair}% above"
if [ "$size" -eq 4000 ]; then
  echo "peak memory, 4000 x 4000 DEM: $((m_report / 1024)) MB (target <= 400): $(verdict "$m_report <= 400 * 1024")"
  echo "peak memory, with a same-size comparison grid: $((m_contour / 1024)) MB (target <= 600):" \
    "$(verdict "$m_contour <= 600 * 1024")"
fi
echo "load after the run: $(cut -d' ' -f1-3 /proc/loadavg)"
