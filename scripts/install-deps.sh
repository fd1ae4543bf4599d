#!/usr/bin/env bash
# Installs everything the build, the tests and the program need on Debian 12.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
  build-essential g++ cmake ninja-build pkg-config
  clang libclang-rt-14-dev
  qt6-base-dev libgl-dev libxcb1-dev
  libavcodec-dev libavformat-dev libavfilter-dev libavutil-dev
  libavdevice-dev libswscale-dev libswresample-dev ffmpeg
  libsdl2-dev zlib1g-dev libjpeg62-turbo-dev libgif-dev
  libgtest-dev libgmock-dev
  xvfb xauth
  fonts-wqy-microhei fonts-liberation2 fonts-dejavu-core
)

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "install-deps: run as root or install sudo" >&2; exit 1; }
  SUDO="sudo"
fi

export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
$SUDO apt-get install -y --no-install-recommends "${packages[@]}"
