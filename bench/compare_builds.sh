#!/usr/bin/env bash
# Compares two builds of KARVO on a directory of grid files: every karvo-report output
# (statistics, height classes, sparse data set and its file, exit status) byte for byte,
# and frames of the 3D view under many display settings pixel for pixel.
#   bench/compare_builds.sh OLD_BUILD_DIR NEW_BUILD_DIR DATA_DIR [PAIRS_FILE]
# PAIRS_FILE lists comparison runs, one per line: DEM COMPARISON TYPE INTERVAL (names
# relative to DATA_DIR, TYPE 1 DEM, 2 sparse, 3 contour). Prints one line per difference
# and a summary; exits 1 when anything differs.
set -uo pipefail
old=$1 new=$2 data=$3 pairs=${4:-}
work=$(mktemp -d /tmp/karvo-compare-XXXXXX)
# KEEP=1 keeps the outputs of both builds for a look at what differs.
[ -n "${KEEP:-}" ] && echo "outputs in $work" || trap 'rm -rf "$work"' EXIT
differences=0 compared=0

report() {  # build label args...
    local build=$1 label=$2; shift 2
    (cd "$work" && "$build/karvo-report" "$@" >"$work/$label.out" 2>"$work/$label.err" </dev/null
     echo "$?" >"$work/$label.status")
}

same() {  # label
    compared=$((compared + 1))
    for part in out err status sparse; do
        if [ -e "$work/old-$1.$part" ] || [ -e "$work/new-$1.$part" ]; then
            if ! cmp -s "$work/old-$1.$part" "$work/new-$1.$part"; then
                echo "DIFFERS: $1 ($part)"
                differences=$((differences + 1))
            fi
        fi
    done
}

reports() {  # label args...
    local label=$1; shift
    report "$old" "old-$label" "$@"
    report "$new" "new-$label" "$@"
    same "$label"
}

snapshots() {  # label data-set-args... -- settings...
    local label=$1; shift
    for build in old new; do
        local dir=$old
        [ "$build" = new ] && dir=$new
        xvfb-run -a -s "-screen 0 1280x1024x24" "$dir/bench/render-snapshot" "$work/$build-$label.ppm" "$@" \
            >/dev/null 2>&1
    done
    compared=$((compared + 1))
    # A data set that neither build loads gives no frame from either.
    [ -e "$work/old-$label.ppm" ] || [ -e "$work/new-$label.ppm" ] || return 0
    if ! cmp -s "$work/old-$label.ppm" "$work/new-$label.ppm"; then
        echo "DIFFERS: frame $label"
        differences=$((differences + 1))
    fi
}

dem_settings=("fill" "fill curvature" "fill curvature unit=3" "fill ramp" "fill slope" "" "fill unlit"
    "fill exaggeration=4" "fill profile=20 axes sun" "fill top" "ramp")
pair_settings=("fill diffcolour" "fill needles" "needles" "fill contours" "fill points" "fill classes"
    "fill curvature diffcolour" "fill profile=5")

for f in "$data"/*.asc "$data"/*.grd; do
    [ -e "$f" ] || continue
    name=$(basename "$f")
    reports "$name" "$f"
    reports "$name-classes" --classes --interval 20 "$f"
    reports "$name-unit" --unit 2.5 --exaggeration 3 "$f"
    report "$old" "old-$name-sparse" --sparse 500 -o "$work/old-$name-sparse.sparse" "$f"
    report "$new" "new-$name-sparse" --sparse 500 -o "$work/new-$name-sparse.sparse" "$f"
    same "$name-sparse"
    for s in "${dem_settings[@]}"; do
        # shellcheck disable=SC2086
        snapshots "$name-${s// /_}" "$f" $s
    done
done

if [ -n "$pairs" ]; then
    while read -r dem comparison type interval; do
        [ -n "$dem" ] || continue
        kind=(x dem sparse contour)
        label="$dem-$comparison"
        reports "$label" "$data/$dem" "$data/$comparison" --type "${kind[$type]}" --interval "$interval" --classes
        for s in "${pair_settings[@]}"; do
            # shellcheck disable=SC2086
            snapshots "$label-${s// /_}" "$data/$dem" "$data/$comparison" "$type" "$interval" $s
        done
    done <"$pairs"
fi

echo "compared $compared outputs, $differences differ"
[ "$differences" -eq 0 ]
