#!/usr/bin/env bash
# Installs every Debian package the build, the tests, the benchmarks, the fuzz targets and the demo need,
# on a fresh Debian 12 machine. Recommends stay off, so every package that is needed is named here:
# qt6-charts-dev does not bring libqt6opengl6-dev, yet Qt6Charts' CMake package needs Qt6OpenGL.
set -euo pipefail
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
packages=(
  # build
  cmake ninja-build g++ pkg-config file dpkg-dev
  qt6-base-dev qt6-serialport-dev qt6-charts-dev libqt6opengl6-dev qt6-qpa-plugins qt6-translations-l10n
  libqt6sql6-sqlite libqt6sql6-psql
  # the team archive's tests and benchmarks start a PostgreSQL server of their own
  postgresql
  libxlsxwriter-dev libxdo-dev libx11-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  # sanitizer build and fuzz targets; the formatting check of ./check
  clang libclang-rt-dev clang-format
  # tests: X server, receiving windows, PDF and office files read back, package checks
  xvfb xauth xdotool xterm x11-utils poppler-utils fonts-dejavu-core unzip xdg-utils locales
  libreoffice-writer-nogui libreoffice-calc-nogui
  desktop-file-utils appstream
)
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${packages[@]}" >/dev/null
