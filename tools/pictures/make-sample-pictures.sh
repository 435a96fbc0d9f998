#!/bin/sh
# Writes the photographs of the sample race into sample/pic/enoshima-cup/.
# Usage: tools/pictures/make-sample-pictures.sh build/default/tools/pictures/korvane-test-jpeg
set -e
tool=${1:?usage: make-sample-pictures.sh PATH/TO/korvane-test-jpeg}
out=$(dirname "$0")/../../sample/pic/enoshima-cup
mkdir -p "$out"
"$tool" "$out/IMG_0101.JPG" --size 320x240 --time "2024:05:12 10:58:00" --label "before the gun"
"$tool" "$out/IMG_0102.JPG" --size 320x240 --time "2024:05:12 11:12:30" --label "first beat"
"$tool" "$out/img_0103.jpg" --size 240x320 --time "2024:05:12 11:41:05" --label "leeward mark"
"$tool" "$out/IMG_0104.JPG" --size 320x240 --time "2024:05:12 12:03:40" --label "last run"
