#!/bin/sh
# Soak: the 81-boat benchmark race replayed at 1500x in the ASan build of
# korvane under a virtual X server for SOAK_SECONDS (600 by default). The
# race list holds that one race, so each end of the timeline starts the
# replay again, at the race file's speed (PS), which the copy sets to 1500. Every 30 s the program's resident memory goes into
# OUT_DIR/rss.csv; at the end EXIT closes the window, so LeakSanitizer runs
# too. Passes when the sanitizers wrote no report and the peak of the last
# third of the samples is within 5% of the middle third's: ASan keeps freed
# memory in quarantine (up to 256 MB), so the first minutes climb anyway.
# usage: tools/soak.sh [KORVANE_ASAN [OUT_DIR]]
# Needs: cmake --preset asan && cmake --build --preset asan; xvfb-run,
# xdotool, ImageMagick. Not part of CI: it takes ten minutes of a core.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
exe=${1:-$here/../build/asan/src/app/korvane}
out=${2:-$here/../build/soak}
seconds=${SOAK_SECONDS:-600}
[ -x "$exe" ] || { echo "no ASan build at $exe" >&2; exit 2; }
mkdir -p "$out"
out=$(cd "$out" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/korvane-soak.XXXXXX")
trap 'rm -rf "$work"' EXIT
python3 "$here/samplegen/samplegen.py" --large "$work/data" >/dev/null
race=large-trb.txt
# The same race in the other formats would be the next of the list.
find "$work/data/raceadmin" -name '*.txt' ! -name "$race" -delete
# Each restart of the replay takes the race file's speed again: 1500x.
printf 'PS,1500,1500\r\n' >>"$work/data/raceadmin/$race"
printf '%s\r\n' "$race" >"$work/data/raceadmin/racefile.st"
mkdir -p "$work/data/ctrl" "$work/home"
mkdir -p -m 700 "$work/run"
printf '%s_b\r\n' "$race" >"$work/data/ctrl/editfile.edt"
rm -f "$out"/asan.* "$out/rss.csv"
export HOME="$work/home" XDG_RUNTIME_DIR="$work/run" USER="soak$$"
export ASAN_OPTIONS="log_path=$out/asan:detect_leaks=1"
export LSAN_OPTIONS="suppressions=$here/../tests/lsan.supp"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:log_path=$out/asan"

xvfb-run -a -s "-screen 0 1280x800x24" sh -c '
    exe=$1 data=$2 out=$3 seconds=$4
    "$exe" --data "$data" & pid=$!
    for i in $(seq 1 1200); do
        xdotool search --name "Large race" >/dev/null 2>&1 && break
        sleep 0.5
    done
    sleep 20  # the opening of 81 logs under ASan
    import -window root "$out/soak-start.png"
    echo "seconds,rss_kb" >"$out/rss.csv"
    t=0
    while [ "$t" -le "$seconds" ] && kill -0 "$pid" 2>/dev/null; do
        echo "$t,$(awk "/^VmRSS/ {print \$2}" /proc/$pid/status)" >>"$out/rss.csv"
        sleep 30
        t=$((t + 30))
    done
    import -window root "$out/soak-end.png"
    xdotool mousemove 1244 780 click 1  # EXIT
    for i in $(seq 1 240); do kill -0 "$pid" 2>/dev/null || break; sleep 0.5; done
    kill -0 "$pid" 2>/dev/null && { echo "EXIT did not end the program" >&2; kill "$pid"; }
    wait "$pid"
' sh "$exe" "$work/data" "$out" "$seconds" || status=$?
cat "$out/rss.csv"
# LeakSanitizer also leaves the list of suppressions it used: not a report.
if grep -l -E "ERROR: |runtime error:" "$out"/asan.* 2>/dev/null; then
    echo "sanitizer reports in $out (above)" >&2
    exit 1
fi
[ "${status:-0}" -eq 0 ] || { echo "korvane ended with status $status" >&2; exit 1; }
python3 - "$out/rss.csv" <<'PY'
import csv, sys
rows = [int(r["rss_kb"]) for r in csv.DictReader(open(sys.argv[1])) if r["rss_kb"]]
if len(rows) < 6:
    sys.exit("too few samples")
third = len(rows) // 3
middle, last = rows[third:2 * third], rows[2 * third:]
print(f"rss after opening {rows[1]} kB, middle third peak {max(middle)} kB, "
      f"last third {min(last)}..{max(last)} kB")
if max(last) > max(middle) * 1.05:
    sys.exit("memory grows")
PY
echo "soak passed: no sanitizer report, flat memory"
