#!/bin/sh
# Takes the README's screen shots from the real program: korvane on a copy
# of the sample under a virtual X server, in English, driven by clicks as a
# user would, then made small (800 pixels wide, 64 colours) for docs/. Each
# line of STEPS is a click on a 1280x800 screen and the name of the shot
# taken after it ("-": no shot). A new page joins with one line.
# usage: tools/docs/make_readme_screens.sh [KORVANE [SAMPLE_DIR [OUT_DIR]]]
# Needs xvfb-run, xdotool and ImageMagick (import, convert).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
exe=${1:-$here/../../build/default/src/app/korvane}
sample=${2:-$here/../../sample}
out=${3:-$here/../../docs}
mkdir -p "$out"
out=$(cd "$out" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/korvane-readme.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p -m 700 "$work/run" "$work/home"
# The window may write into the race folder (a stopped edit, the settings);
# the sample in the tree stays as it is.
cp -r "$sample" "$work/sample"
export HOME="$work/home" XDG_RUNTIME_DIR="$work/run" USER="readme$$" LANG=C.UTF-8 LC_ALL=C.UTF-8
# name x y, or name "key" KEY. "Tips" off; the time bar (x 985) half way
# up is the third leg, and a second back holds the replay there. Then the
# Track page, its "Rank" switch (on, shot, off), the "Page" buttons and
# the "Compare" button.
STEPS="- 1230 758
- 985 450
- key Left
track 1052 621
standings 923 648
- 923 648
graph 1052 634
analysis 1052 647
compare 1239 162"

printf '%s\n' "$STEPS" >"$work/steps"
xvfb-run -a -s "-screen 0 1280x800x24" sh -c '
    "$1" --data "$2" & pid=$!
    for i in $(seq 1 80); do
        xdotool search --name "江の島" >/dev/null 2>&1 && break
        sleep 0.25
    done
    sleep 5
    while read -r name x y; do
        # The pointer leaves the map, where it would change the labels.
        if [ "$x" = key ]; then
            xdotool mousemove 1277 797 key "$y"
        else
            xdotool mousemove "$x" "$y" click 1 mousemove 1277 797
        fi
        sleep 2
        [ "$name" = - ] || import -window root "$3/$name.png"
    done <"$4"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
' sh "$exe" "$work/sample" "$work" "$work/steps"

while read -r name x y; do
    [ "$name" = - ] && continue
    convert "$work/$name.png" -resize 800x -colors 64 -strip "PNG8:$out/$name.png"
    echo "$out/$name.png"
done <"$work/steps"
