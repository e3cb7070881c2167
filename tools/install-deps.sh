#!/usr/bin/env bash
# Installs every Debian package the workstation needs to build, run, test and benchmark.
set -euo pipefail
packages=(
  cmake g++ ninja-build pkg-config
  qt6-base-dev qt6-multimedia-dev libpulse-dev
  libavformat-dev libavcodec-dev libswresample-dev libavutil-dev
  libgtest-dev libgmock-dev libbenchmark-dev libfftw3-dev libsndfile1-dev
  xvfb xauth fonts-dejavu-core pulseaudio pulseaudio-utils sox ffmpeg parallel
  python3-numpy python3-scipy python3-dev python3-pytest pybind11-dev locales
  desktop-file-utils appstream shared-mime-info dpkg-dev lintian
  xdotool x11-utils openbox
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
