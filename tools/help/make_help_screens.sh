#!/bin/sh
# Takes the help pages' screen shots from the real program: korvane on the
# sample race under a virtual X server, once in each language (the locale
# picks it), the whole window and the control column.
# usage: tools/help/make_help_screens.sh [KORVANE [SAMPLE_DIR]]
# Needs xvfb-run, xdotool and ImageMagick (import, convert).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
exe=${1:-$here/../../build/default/src/app/korvane}
sample=${2:-$here/../../sample}
export XDG_RUNTIME_DIR="${TMPDIR:-/tmp}/korvane-help-$$"
mkdir -p "$XDG_RUNTIME_DIR"
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT

shoot() {  # LANG OUT_DIR
    raw="$XDG_RUNTIME_DIR/raw.png"
    LANG=$1 LC_ALL=$1 xvfb-run -a -s "-screen 0 1280x800x24" sh -c '
        "$1" "$2" & pid=$!
        for i in $(seq 1 80); do
            xdotool search --name "江の島" >/dev/null 2>&1 && break
            sleep 0.25
        done
        sleep 6  # the replay runs a little past its first frames
        import -window root "$3"
        kill "$pid"
        wait "$pid" 2>/dev/null || true
    ' sh "$exe" "$sample" "$raw"
    mkdir -p "$2"
    convert "$raw" -resize 960x -strip "$2/window.png"
    convert "$raw" -gravity NorthEast -crop 265x800+0+0 +repage -strip "$2/controls.png"
    echo "$2: window.png controls.png"
}

shoot ja_JP.UTF-8 "$sample/help/images"
shoot C.UTF-8 "$sample/help-e/images"
