#!/bin/sh
# Installs the build into a fresh prefix and runs the installed korvane-cli
# from elsewhere, without --data: it must open the installed sample and name
# the installed icons in its globe file, whatever the prefix.
# usage: installed_finds_its_data.sh BUILD_DIR
set -eu
build=$1
prefix=$(mktemp -d "${TMPDIR:-/tmp}/korvane-prefix.XXXXXX")
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
cd /
"$prefix/bin/korvane-cli" info valencia.txt | grep -q "^race file   valencia.txt" ||
    { echo "the installed korvane-cli did not open its sample" >&2; exit 1; }
icons=$("$prefix/bin/korvane-cli" kml valencia.txt | grep -m1 -o 'file://[^<]*/ar[0-9]*\.png')
case "$icons" in
    "file://$prefix/share/korvane/"*) echo "icons: $icons" ;;
    *) echo "icons named outside the install: $icons" >&2; exit 1 ;;
esac
for f in share/applications/korvane.desktop share/korvane/sample/help/index.html \
    share/korvane/sample/help-e/index.html share/korvane/ya/buoi.png bin/korvane; do
    [ -e "$prefix/$f" ] || { echo "not installed: $f" >&2; exit 1; }
done
