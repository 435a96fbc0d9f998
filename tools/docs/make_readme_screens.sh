#!/bin/sh
# Takes the README's screen shots from the real program: korvane on the
# sample under a virtual X server, in English, each page chosen by a click
# on its "Page" button, then made small (800 pixels wide, 64 colours) for
# docs/. A new page joins with one line in PAGES: its name and the place of
# its button on a 1280x800 screen.
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
export HOME="$work/home" XDG_RUNTIME_DIR="$work/run" USER="readme$$" LANG=C.UTF-8 LC_ALL=C.UTF-8
# name x y: the page buttons of the control panel (bottom right, 265 x 255).
PAGES="track 1052 621
graph 1052 634
analysis 1052 647"

printf '%s\n' "$PAGES" >"$work/pages"
xvfb-run -a -s "-screen 0 1280x800x24" sh -c '
    "$1" --data "$2" & pid=$!
    for i in $(seq 1 80); do
        xdotool search --name "江の島" >/dev/null 2>&1 && break
        sleep 0.25
    done
    sleep 5
    xdotool mousemove 1230 758 click 1  # "Tips" off
    xdotool mousemove 985 330 click 1   # the time bar: the first beat
    sleep 3
    while read -r name x y; do
        xdotool mousemove "$x" "$y" click 1
        # The pointer leaves the map, where it would change the labels.
        xdotool mousemove 1277 797
        sleep 2
        import -window root "$3/$name.png"
    done <"$4"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
' sh "$exe" "$sample" "$work" "$work/pages"

while read -r name x y; do
    convert "$work/$name.png" -resize 800x -colors 64 -strip "PNG8:$out/$name.png"
    echo "$out/$name.png"
done <"$work/pages"
