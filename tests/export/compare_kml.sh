#!/bin/sh
# Compares a KML file written by korvane-cli with its reviewed copy, byte for
# byte. The icons are named by absolute path, which differs from checkout to
# checkout, so the icon folder is replaced by @ICONS@ first.
#   compare_kml.sh ACTUAL EXPECTED ICON_FOLDER
set -e
sed "s|$3/|@ICONS@/|g" "$1" >"$1.normalised"
cmp "$1.normalised" "$2"
