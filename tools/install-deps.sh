#!/usr/bin/env bash
# Installs everything the program, its tests and its benchmarks need on Debian 12.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
    build-essential cmake pkg-config ca-certificates \
    qtbase5-dev qttools5-dev qttools5-dev-tools libqt5svg5-dev libqt5x11extras5-dev libxcb1-dev \
    libusb-1.0-0-dev libfontconfig-dev fonts-liberation fonts-wqy-microhei \
    umockdev libumockdev-dev \
    xvfb xauth python3 python3-html5lib desktop-file-utils libbenchmark-dev \
    libcurl4-openssl-dev libpulse-dev pulseaudio pulseaudio-utils jq edid-decode \
    openbox trayer xdotool x11-apps netpbm ccache dbus-daemon
