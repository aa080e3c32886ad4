#!/usr/bin/env bash
# Compares two builds of KARVO on a directory of grid files: every karvo-report output
# (statistics, height classes, sparse data set and its file, exit status) byte for byte,
# and frames of the 3D view under many display settings pixel for pixel.
#   bench/compare_builds.sh OLD_BUILD_DIR NEW_BUILD_DIR DATA_DIR [PAIRS_FILE]
# PAIRS_FILE lists comparison runs, one per line: DEM COMPARISON TYPE INTERVAL (names
# relative to DATA_DIR, TYPE 1 DEM, 2 sparse, 3 contour). Prints one line per difference
# and a summary; exits 1 when anything differs or is missing on either side.
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

differ() {  # what
    echo "DIFFERS: $1"
    differences=$((differences + 1))
}

# Every output must be there on both sides: a run that made none compares as equal to
# another that made none, and would hide a build that cannot run at all.
same() {  # label [sparse]
    compared=$((compared + 1))
    local parts=(out err status)
    [ "${2:-}" = sparse ] && loads "$1" && parts+=(sparse)  # a refused run writes no file
    for part in "${parts[@]}"; do
        if [ ! -e "$work/old-$1.$part" ] || [ ! -e "$work/new-$1.$part" ]; then
            differ "$1 ($part missing)"
        elif ! cmp -s "$work/old-$1.$part" "$work/new-$1.$part"; then
            differ "$1 ($part)"
        fi
    done
}

loads() {  # label: either build's run of it ended with status 0
    grep -qx 0 "$work/old-$1.status" 2>/dev/null || grep -qx 0 "$work/new-$1.status" 2>/dev/null
}

reports() {  # label args...
    local label=$1; shift
    report "$old" "old-$label" "$@"
    report "$new" "new-$label" "$@"
    same "$label"
}

snapshots() {  # loaded-by-label label data-set-args... -- settings...
    local loaded=$1 label=$2; shift 2
    for build in old new; do
        local dir=$old
        [ "$build" = new ] && dir=$new
        xvfb-run -a -s "-screen 0 1280x1024x24" "$dir/bench/render-snapshot" "$work/$build-$label.ppm" "$@" \
            >/dev/null 2>&1
    done
    compared=$((compared + 1))
    # Only a data set that neither build loads may give no frame from either.
    [ ! -e "$work/old-$label.ppm" ] && [ ! -e "$work/new-$label.ppm" ] && ! loads "$loaded" && return 0
    if [ ! -s "$work/old-$label.ppm" ] || [ ! -s "$work/new-$label.ppm" ]; then
        differ "frame $label (missing)"
    elif ! cmp -s "$work/old-$label.ppm" "$work/new-$label.ppm"; then
        differ "frame $label"
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
    same "$name-sparse" sparse
    for s in "${dem_settings[@]}"; do
        # shellcheck disable=SC2086
        snapshots "$name" "$name-${s// /_}" "$f" $s
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
            snapshots "$label" "$label-${s// /_}" "$data/$dem" "$data/$comparison" "$type" "$interval" $s
        done
    done <"$pairs"
fi

echo "compared $compared outputs, $differences differ"
[ "$differences" -eq 0 ]
