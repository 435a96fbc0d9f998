#!/bin/sh
# Opens the large race (81 boats x 3 h x 1 Hz) in GPX, NMEA and "trb" and
# times, in the same run: our whole opening (korvane-cli info), gpsbabel
# reading the same files, and cat of the same files (the floor of reading
# the bytes). Prints the best of RUNS runs of each and the ratios.
#
#   bench/tracks_vs_gpsbabel.sh [OUT_DIR]     (default build/release/large-race)
#
# SAMPLEGEN names another generator taking "--large OUT_DIR" (default
# tools/samplegen/samplegen.py); an OUT_DIR that already holds raceadmin/
# is used as it is.
set -e
cd "$(dirname "$0")/.."
OUT="${1:-build/release/large-race}"
RUNS="${RUNS:-3}"
SAMPLEGEN="${SAMPLEGEN:-tools/samplegen/samplegen.py}"
CLI=build/release/src/cli/korvane-cli

if [ ! -x "$CLI" ]; then
    cmake --preset release >/dev/null
    cmake --build --preset release -j2 --target korvane-cli
fi
if [ ! -d "$OUT/raceadmin" ]; then
    echo "generating the large race into $OUT ..." >&2
    python3 "$SAMPLEGEN" --large "$OUT"
fi

now() { date +%s.%N; }
# best_of N command...: the shortest wall time of N runs, in seconds.
best_of() {
    n=$1
    shift
    best=""
    i=0
    while [ "$i" -lt "$n" ]; do
        t0=$(now)
        "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
        t1=$(now)
        t=$(awk "BEGIN {print $t1 - $t0}")
        if [ -z "$best" ] || awk "BEGIN {exit !($t < $best)}"; then best=$t; fi
        i=$((i + 1))
    done
    printf '%.3f' "$best"
}
ratio() { awk "BEGIN {printf \"%.1f\", $1 / $2}"; }

babel() {
    format=$1
    shift
    args=""
    for f in "$@"; do args="$args -f $f"; done
    # shellcheck disable=SC2086
    TZ=UTC gpsbabel -i "$format" $args -o gpx -F /dev/null
}

printf '%-6s %6s %9s %10s %8s %12s %10s\n' format fixes "ours(s)" "gpsbabel" "cat(s)" "babel/ours" "ours/cat"
for fmt in gpx nmea trb; do
    case $fmt in
        gpx) ext=gpx; babelfmt=gpx ;;
        nmea) ext=log; babelfmt=nmea ;;
        trb) ext=trb; babelfmt="" ;;
    esac
    race="large-$fmt.txt"
    files=$(ls "$OUT"/gpsdat/*."$ext")
    # shellcheck disable=SC2086
    cat $files >/dev/null  # warm the page cache for everyone alike
    fixes=$("$CLI" --data "$OUT" info "$race" --json | grep -o '"pointCount": *[0-9]*' |
        awk -F: '{s += $2} END {print s}')
    ours=$(best_of "$RUNS" "$CLI" --data "$OUT" info "$race")
    # shellcheck disable=SC2086
    floor=$(best_of "$RUNS" cat $files)
    if [ -n "$babelfmt" ]; then
        # shellcheck disable=SC2086
        theirs=$(best_of 1 babel "$babelfmt" $files)
        speedup=$(ratio "$theirs" "$ours")
    else
        theirs="n/a"
        speedup="n/a"
    fi
    printf '%-6s %6s %9s %10s %8s %12s %10s\n' "$fmt" "$fixes" "$ours" "$theirs" "$floor" \
        "$speedup" "$(ratio "$ours" "$floor")"
done
