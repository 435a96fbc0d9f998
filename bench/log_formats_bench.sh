#!/bin/sh
# The new log formats on the large race (81 boats x 3 h x 1 Hz), in one run:
#  - VKX: our whole opening (korvane-cli info) against `cat` of the same
#    files, the floor of reading the bytes;
#  - FIT (made by gpsbabel from the GPX logs): the first opening, which
#    converts every log, then the second one, from the cache, against the
#    same race in GPX.
# Prints the best of RUNS runs of each and the ratios.
#
#   bench/log_formats_bench.sh [OUT_DIR]     (default build/release/large-race)
#
# CLI names another korvane-cli (default: the release build's).
set -e
cd "$(dirname "$0")/.."
OUT="${1:-build/release/large-race}"
RUNS="${RUNS:-5}"
CLI="${CLI:-build/release/src/cli/korvane-cli}"

if [ ! -x "$CLI" ]; then
    cmake --preset release >/dev/null
    cmake --build --preset release -j2 --target korvane-cli
fi
if [ ! -f "$OUT/raceadmin/large-vkx.txt" ]; then
    echo "generating the large race into $OUT ..." >&2
    python3 tools/samplegen/samplegen.py --large "$OUT"
fi
if [ ! -f "$OUT/raceadmin/large-fit.txt" ]; then
    command -v gpsbabel >/dev/null || { echo "gpsbabel is needed for the FIT race" >&2; exit 1; }
    echo "converting the GPX logs to FIT ..." >&2
    for gpx in "$OUT"/gpsdat/large*.gpx; do
        gpsbabel -i gpx -f "$gpx" -o garmin_fit -F "${gpx%.gpx}.fit"
    done
    sed 's/\.gpx/.fit/; s/(gpx)/(fit)/; s/logs in gpx/logs in fit/' "$OUT/raceadmin/large-gpx.txt" \
        > "$OUT/raceadmin/large-fit.txt"
fi
CACHE="$OUT/cache"
export XDG_CACHE_HOME="$CACHE"

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
ratio() { awk "BEGIN {printf \"%.2f\", $1 / $2}"; }
fixes() {
    "$CLI" --data "$OUT" info "$1" --json | grep -o '"pointCount": *[0-9]*' |
        awk -F: '{s += $2} END {print s}'
}
mb() { du -cm "$@" | tail -1 | cut -f1; }

vkx_files=$(ls "$OUT"/gpsdat/*.vkx)
# shellcheck disable=SC2086
cat $vkx_files >/dev/null  # warm the page cache
vkx=$(best_of "$RUNS" "$CLI" --data "$OUT" info large-vkx.txt)
# shellcheck disable=SC2086
floor=$(best_of "$RUNS" cat $vkx_files)
# shellcheck disable=SC2086
echo "VKX  $(mb $vkx_files) MB, $(fixes large-vkx.txt) fixes: opening ${vkx} s, cat ${floor} s," \
    "opening / cat $(ratio "$vkx" "$floor") (target 3)"

rm -rf "$CACHE"
first=$(best_of 1 "$CLI" --data "$OUT" info large-fit.txt)
cached=$(best_of "$RUNS" "$CLI" --data "$OUT" info large-fit.txt)
gpx=$(best_of "$RUNS" "$CLI" --data "$OUT" info large-gpx.txt)
echo "FIT  $(mb "$OUT"/gpsdat/*.fit) MB, $(fixes large-fit.txt) fixes: first opening ${first} s" \
    "(gpsbabel), second ${cached} s; GPX ${gpx} s; second FIT / GPX $(ratio "$cached" "$gpx")" \
    "(target 1.2)"
