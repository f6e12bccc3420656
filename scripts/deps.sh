#!/bin/sh
# Installs the Debian packages the build, the tests and the benchmarks need.
# Quick and silent when everything is there already.
set -e
PACKAGES="g++ make cmake pkg-config qt6-base-dev qt6-qpa-plugins libgl-dev libxcb1-dev libglib2.0-dev \
libgtest-dev libbenchmark-dev fonts-ipafont-gothic desktop-file-utils libfuse3-dev fuse3 \
xvfb openbox xdotool wmctrl x11-utils x11-xserver-utils"
missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0
if [ "$(id -u)" -eq 0 ]; then
    echo "Installing:$missing"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
else
    echo "Missing packages. Run as root:"
    echo "  apt-get install -y$missing"
    exit 1
fi
