#!/bin/sh
# passings --set keeps a correction beside the race file that the next
# opening reads (the report changes); --clear takes it back, removes the
# file, and the report is byte for byte the one before.
# usage: passings_correct_and_clear.sh CLI DATA_ROOT WORK_FOLDER
set -u
cli=$1 data=$2 work=$3
rm -rf "$work" && mkdir -p "$work/root" || exit 2
cp -R "$data/raceadmin" "$work/root/" || exit 2
for d in gpsdat winddat coastline; do ln -s "$data/$d" "$work/root/$d" || exit 2; done
root=$work/root
corrections=$root/raceadmin/enoshima-cup.txt.passings
"$cli" --data "$root" report enoshima-cup.txt -o "$work/before.csv" || exit 1
"$cli" --data "$root" passings enoshima-cup.txt --set 3:3:2400 > "$work/set.txt" || exit 1
[ -f "$corrections" ] || { echo "no corrections file"; exit 1; }
grep -q '^PIN,3,3,2400,' "$corrections" || { echo "pin not written:"; cat "$corrections"; exit 1; }
grep -q "$(printf '^3\t3\tMK2\t2400.0 ')" "$work/set.txt" || { echo "pin not listed"; exit 1; }
"$cli" --data "$root" report enoshima-cup.txt -o "$work/pinned.csv" || exit 1
cmp -s "$work/before.csv" "$work/pinned.csv" && { echo "the pin changed nothing"; exit 1; }
"$cli" --data "$root" passings enoshima-cup.txt --clear 3:3 > /dev/null || exit 1
[ -e "$corrections" ] && { echo "corrections file left"; exit 1; }
"$cli" --data "$root" report enoshima-cup.txt -o "$work/after.csv" || exit 1
cmp "$work/before.csv" "$work/after.csv" || { echo "clearing did not restore the report"; exit 1; }
"$cli" --data "$root" passings enoshima-cup.txt --set 3:9:100 && { echo "point 9 accepted"; exit 1; }
[ -e "$corrections" ] && { echo "a refused pin wrote a file"; exit 1; }
exit 0
