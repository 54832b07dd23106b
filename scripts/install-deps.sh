#!/usr/bin/env bash
# Installs every Debian package the engine, its tests and the viewer need.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config clang
  libsdl2-dev libsdl2-mixer-dev libgl-dev libglu1-mesa-dev libegl-dev libgl1-mesa-dri
  libfreetype-dev libfontconfig-dev fonts-liberation
  libjpeg62-turbo-dev libgif-dev libstb-dev
  libavformat-dev libavcodec-dev libswscale-dev libavutil-dev
  libgtest-dev libbenchmark-dev
  xvfb xdotool xauth
  unzip
  libassimp-dev
  libtinyobjloader-dev
  libphysfs-dev libzip-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update
  $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
