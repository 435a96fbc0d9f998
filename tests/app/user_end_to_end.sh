#!/bin/sh
# A new user's first minutes with the real korvane under a virtual X server,
# driven by mouse clicks only: choose another race in the race list, SHOW,
# play, click the time bar, look at the Graph and DATA pages, write the
# Excel table and the Google Earth file. Every screen shot must show a
# drawn picture, and both files must land in the documents folder.
# usage: user_end_to_end.sh KORVANE DATA_ROOT OUT_DIR
# The places are those of a 1280x800 screen: the control panel's fixed
# 265 x 255 at the bottom right, the time bar left of the side column.
set -eu
exe=$1 data=$2 out=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/korvane-user-e2e.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p -m 700 "$work/run" "$work/home" "$out"
rm -f "$out"/*.png
# The documents folder is the fresh home's; the single-instance name is
# this run's alone.
export HOME="$work/home" XDG_RUNTIME_DIR="$work/run" USER="e2e$$"
docs="$HOME/Documents"

xvfb-run -a -s "-screen 0 1280x800x24" sh -c '
    exe=$1 data=$2 out=$3 docs=$4
    "$exe" --data "$data" & pid=$!
    fail() { echo "$1" >&2; kill "$pid" 2>/dev/null; exit 1; }
    wait_for() {  # NAME TRIES: the window whose caption holds NAME
        for i in $(seq 1 "$2"); do
            id=$(xdotool search --name "$1" 2>/dev/null | head -n 1 || true)
            [ -n "$id" ] && return 0
            sleep 0.25
        done
        return 1
    }
    wait_for_file() {  # FILE
        for i in $(seq 1 40); do [ -s "$1" ] && return 0; sleep 0.25; done
        return 1
    }
    click() { xdotool mousemove "$1" "$2" click 1; sleep "${3:-0.5}"; }
    shot() { import -window root "$out/$1.png"; }
    wait_for "江の島" 80 || fail "no window"
    sleep 3
    # The race list, its fourth race (valencia.txt), SHOW.
    click 1203 583
    click 1060 638
    click 1241 582
    wait_for "Valencia 2025 race 1" 80 || fail "SHOW did not open the chosen race"
    sleep 2
    click 1041 686 2          # GO: play forward
    shot playing
    click 985 300 1           # the time bar: jump there
    shot jumped
    click 1052 634 2          # Page: Graph
    shot graph
    click 1052 647 2          # Page: DATA
    shot data
    click 904 783 1           # "Show Excel Table"
    wait_for_file "$docs/NoName.csv" || fail "no NoName.csv in $docs"
    click 1052 621 2          # Page: Track
    click 1226 706 1          # "Google Earth", left button: the whole race
    wait_for_file "$docs/ZLTMap5.kml" || fail "no ZLTMap5.kml in $docs"
    shot exported
    kill "$pid"
    wait "$pid" 2>/dev/null || true
' sh "$exe" "$data" "$out" "$docs"

# Not blank: a drawn map or page has many colours, a blank one a few.
for name in playing jumped graph data exported; do
    colours=$(convert "$out/$name.png" -format %k info:)
    echo "$name.png: $colours colours"
    [ "$colours" -ge 64 ] || { echo "$name.png looks blank" >&2; exit 1; }
done
# The jump moved the replay, and each page drew something else.
for pair in "playing jumped" "jumped graph" "graph data"; do
    set -- $pair
    diff=$(compare -metric AE "$out/$1.png" "$out/$2.png" null: 2>&1 || true)
    echo "$1 -> $2: $diff pixels differ"
    [ "${diff%%.*}" -gt 1000 ] 2>/dev/null || { echo "$2 looks like $1" >&2; exit 1; }
done
grep -q "SUMMARY OF SAILING PERFORMANCE" "$docs/NoName.csv" || { echo "NoName.csv is no report" >&2; exit 1; }
echo "race chosen, played, jumped, pages shown, report and globe file written"
