#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the demo need.
set -euo pipefail
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends \
  cmake ninja-build g++ pkg-config \
  qt6-base-dev qt6-serialport-dev qt6-charts-dev \
  libxlsxwriter-dev libxdo-dev libx11-dev \
  libgtest-dev libgmock-dev libbenchmark-dev \
  xvfb xauth xdotool xterm poppler-utils fonts-dejavu-core \
  qt6-qpa-plugins >/dev/null
