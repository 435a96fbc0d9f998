#!/bin/sh
# render -o writes through the atomic write: when the write fails half way
# (a file size limit, which holds for root too) the old picture stays and no
# temp file is left beside it.
# usage: render_keeps_old_png.sh CLI DATA_ROOT WORK_FOLDER
set -u
cli=$1 data=$2 work=$3
rm -rf "$work" && mkdir -p "$work" || exit 2
printf 'old picture' > "$work/scene.png"
(trap '' XFSZ; ulimit -f 1; exec "$cli" --data "$data" render enoshima-cup.txt --at 0 \
    --size 320x200 -o "$work/scene.png") && { echo "write reported success"; exit 1; }
[ "$(cat "$work/scene.png")" = 'old picture' ] || { echo "old picture lost"; exit 1; }
[ "$(ls -A "$work")" = 'scene.png' ] || { echo "left behind: $(ls -A "$work")"; exit 1; }
"$cli" --data "$data" render enoshima-cup.txt --at 0 --size 320x200 -o "$work/scene.png" || exit 1
[ "$(head -c 4 "$work/scene.png" | tail -c 3)" = 'PNG' ] || { echo "no PNG written"; exit 1; }
