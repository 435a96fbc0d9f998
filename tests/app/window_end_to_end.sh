#!/bin/sh
# Starts the real korvane on a data root under a virtual X server, waits for
# the race's caption, takes a screen shot and checks that the map shows the
# boats. usage: window_end_to_end.sh KORVANE DATA_ROOT SHOT.png
set -eu
exe=$1 data=$2 shot=$3
export XDG_RUNTIME_DIR="${TMPDIR:-/tmp}/korvane-e2e-$$"
mkdir -p "$XDG_RUNTIME_DIR"
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
xvfb-run -a -s "-screen 0 1280x800x24" sh -c '
    "$1" "$2" & pid=$!
    title=""
    for i in $(seq 1 80); do
        id=$(xdotool search --name "江の島" 2>/dev/null | head -n 1 || true)
        if [ -n "$id" ]; then title=$(xdotool getwindowname "$id"); break; fi
        sleep 0.25
    done
    sleep 3  # a few seconds of replay
    import -window root "$3"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo "caption: $title"
    case "$title" in *"江の島カップ 2024 第3レース"*) ;; *) echo "wrong caption" >&2; exit 1 ;; esac
' sh "$exe" "$data" "$shot"
# Boat colours of slots 4 and 6 (olive, teal) appear nowhere else on the map.
histogram=$(convert "$shot" -format %c histogram:info:-)
for colour in "#808000" "#008080"; do
    if ! echo "$histogram" | grep -qi "$colour"; then
        echo "no boat drawn in $colour" >&2
        exit 1
    fi
done
echo "map drawn with the boats"
# The time bar stands left of the 265-pixel side column: its striped column
# shows the leading boat's beats in white, its runs in blue-grey and the gun
# in red.
bar=$(convert "$shot" -crop 30x740+976+5 +repage -format %c histogram:info:-)
for colour in "#FFFFFF" "#C0C0FF" "#FF0000"; do
    if ! echo "$bar" | grep -qi "$colour"; then
        echo "time bar without $colour" >&2
        exit 1
    fi
done
echo "time bar drawn with its stripes"
