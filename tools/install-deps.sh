#!/bin/sh
# Installs what korvane needs to build, test and run on Debian 12 (as root).
# Packages already present are left alone, so a second run takes seconds.
set -e
PACKAGES="build-essential cmake ninja-build ccache qt6-base-dev qt6-qpa-plugins \
qt6-multimedia-dev libexiv2-dev libgtest-dev libbenchmark-dev fonts-noto-cjk gpsbabel gdal-bin libxml2-utils \
xvfb xauth xdotool imagemagick clang clang-format libclang-rt-14-dev \
libavcodec-dev libavformat-dev libswscale-dev \
gmt gmt-gshhg-high gmt-gshhg-low"
missing=""
for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
fi
