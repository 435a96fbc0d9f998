#!/bin/sh
# Reads a KML file with two outside readers: xmllint must find it well-formed
# and GDAL's ogrinfo must list the layers and feature counts in EXPECTED
# ("layer<TAB>count" a line). Exit 77 (skipped) when a reader is missing.
#   check_kml_readers.sh FILE EXPECTED
set -e
file="$1"
expected="$2"
for tool in xmllint ogrinfo; do
    command -v "$tool" >/dev/null 2>&1 || { echo "$tool not installed"; exit 77; }
done
xmllint --noout "$file"
ogrinfo -ro -al -so "$file" |
    awk -F': ' '/^Layer name: /{layer=substr($0, 13)} /^Feature Count: /{print layer "\t" $2}' >"$file.layers"
diff -u "$expected" "$file.layers"
