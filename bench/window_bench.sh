#!/bin/sh
# The window's opening and replay figures on the 81-boat race, under Xvfb at
# 1920 x 1080, beside the core's opening and the CLI's frame time.
# Usage: bench/window_bench.sh [REPLAY_SECONDS]   (after the release preset build)
set -e
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build/release}
LARGE=${LARGE_RACE_DIR:-/tmp/korvane-large}
[ -d "$LARGE/raceadmin" ] || python3 tools/samplegen/samplegen.py --large "$LARGE" >/dev/null
RACE=$(ls "$LARGE/raceadmin" | grep -v '^cover' | head -1)
xvfb-run -a -s "-screen 0 1920x1080x24" "$BUILD/bench/window_bench" "$LARGE" "$RACE" "${1:-10}"
echo "CLI, same race and size:"
"$BUILD/src/cli/korvane-cli" --data "$LARGE" render "$RACE" --at 3600 --frames 100 --size 1920x1080
