#!/bin/sh
# Edits the course of a copy of the sample race in the real window under a
# virtual X server: Shift-clicks place two marks on the map, the window is
# closed with "Yes" to the rewrite, and korvane-cli reads the rewritten file.
# usage: course_edit_end_to_end.sh KORVANE KORVANE_CLI SAMPLE_DIR
set -eu
exe=$1 cli=$2 sample=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/korvane-edit-e2e.XXXXXX")
export XDG_RUNTIME_DIR="$work/run"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
trap 'rm -rf "$work"' EXIT
for folder in raceadmin gpsdat winddat coastline; do cp -r "$sample/$folder" "$work/"; done
mkdir -p "$work/ctrl"
printf 'enoshima-ct.txt\r\n' >"$work/ctrl/editfile.edt"
count_marks() {
    "$cli" --data "$work" info enoshima-ct.txt --json |
        python3 -c 'import json,sys; d=json.load(sys.stdin); print(len(d["marks"]), d["race"]["windDirectionInput"], len(d["boats"]))'
}
before=$(count_marks)

xvfb-run -a -s "-screen 0 1280x800x24" sh -c '
    "$1" "$2" & pid=$!
    id=""
    for i in $(seq 1 80); do
        id=$(xdotool search --name "江の島" 2>/dev/null | head -n 1 || true)
        [ -n "$id" ] && break
        sleep 0.25
    done
    [ -n "$id" ] || { echo "no window" >&2; kill "$pid"; exit 1; }
    # The race opens behind the splash; the editing panel comes with it.
    sleep 5
    # "Mark Pos Setting", the first choice of the editing panel.
    xdotool mousemove --window "$id" 134 19 click 1
    sleep 0.3
    for x in 450 520; do
        xdotool mousemove --window "$id" "$x" 450
        xdotool keydown shift click 1 keyup shift
        sleep 0.3
    done
    # "EXIT", then "Yes" to "Rewrite File? (instead of old data)".
    xdotool mousemove --window "$id" 1244 780 click 1
    box=""
    for i in $(seq 1 20); do
        box=$(xdotool search --name "Race Admin Data" 2>/dev/null | head -n 1 || true)
        [ -n "$box" ] && break
        sleep 0.25
    done
    [ -n "$box" ] && xdotool windowfocus "$box" 2>/dev/null; xdotool key --window "$box" Return
    for i in $(seq 1 40); do kill -0 "$pid" 2>/dev/null || break; sleep 0.25; done
    kill "$pid" 2>/dev/null || true
' sh "$exe" "$work"

after=$(count_marks)
echo "marks, mean wind, boats before: $before  after: $after"
set -- $before
want="$(($1 + 2)) $2 $3"
[ "$after" = "$want" ] || { echo "expected $want after two Shift-clicks" >&2; exit 1; }
echo "course edited through the window"
