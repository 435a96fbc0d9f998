#!/bin/sh
# Compares a KML file written by korvane-cli with its reviewed copy, byte for
# byte. The icons are named by "file://" URL of their absolute path, which
# differs from checkout to checkout, so the icon folder's URL is replaced by
# @ICONS@ first.
#   compare_kml.sh ACTUAL EXPECTED ICON_FOLDER
set -e
# The folder as the KML writes it: every byte but letters, digits, "-", ".",
# "_", "~" and "/" percent-encoded.
url=file://$(printf %s "$3" | od -An -v -tx1 | tr -s ' \n' '\n\n' | while read -r h; do
    case $h in
    '') ;;
    2[def] | 3[0-9] | 4[1-9a-f] | 5[0-9a] | 5f | 6[1-9a-f] | 7[0-9a] | 7e)
        printf "\\$(printf %03o "0x$h")" ;;
    *) printf %%%s "$(printf %s "$h" | tr a-f A-F)" ;;
    esac
done)
sed "s|$url/|@ICONS@/|g" "$1" >"$1.normalised"
cmp "$1.normalised" "$2"
