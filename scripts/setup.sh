#!/usr/bin/env bash
# Installs every Debian package Kelvorin needs to build, test and run (Debian 12).
set -euo pipefail
packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev libeigen3-dev libgif-dev
  python3-dev python3-numpy pybind11-dev python3-pybind11 python3-pytest python3-setuptools
  python3-pip python3-distributed
  clang libclang-rt-14-dev clang-format
  xvfb xauth fonts-dejavu-core locales
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
# A decimal-comma locale, so that the tests can show that numbers never take a comma.
if ! locale -a 2>/dev/null | grep -qi '^pl_PL.utf8$'; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO localedef -i pl_PL -f UTF-8 pl_PL.UTF-8 || echo "setup: pl_PL.UTF-8 locale not made"
fi
