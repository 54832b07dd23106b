#!/usr/bin/env bash
# Installs the free game data package and unpacks the parts the viewer reads
# (levels, scripts, textures, models) into a cache directory. Prints that directory.
set -euo pipefail
cache="${XDG_CACHE_HOME:-$HOME/.cache}/korvath/baseoa"
source_dir=/usr/share/games/openarena/baseoa
if [ ! -d "$source_dir" ]; then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update >&2
  $SUDO apt-get install -y --no-install-recommends openarena-data unzip >&2
fi
if [ ! -f "$cache/.unpacked" ]; then
  mkdir -p "$cache"
  # Archives are unpacked in name order so later patches replace earlier files.
  for archive in $(ls "$source_dir"/*.pk3 | sort); do
    echo "unpacking $(basename "$archive")" >&2
    unzip -qq -o "$archive" -d "$cache" -x 'sound/*' 'music/*' 'video/*' >&2 || true
  done
  touch "$cache/.unpacked"
fi
echo "$cache"
