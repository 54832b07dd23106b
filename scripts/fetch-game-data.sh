#!/usr/bin/env bash
# Installs the free game data packages (the base data and its 0.8.8 update) and
# prints the directory of their .pk3 archives, which the viewer mounts in place.
# With --unpacked, unpacks the parts a loose-file reader needs (levels, scripts,
# textures, models) into a cache directory instead and prints that directory.
set -euo pipefail
cache="${XDG_CACHE_HOME:-$HOME/.cache}/korvath/baseoa"
source_dir=/usr/share/games/openarena/baseoa
packages=(openarena-data openarena-088-data)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update >&2
  $SUDO apt-get install -y --no-install-recommends "${missing[@]}" >&2
fi
if [ "${1:-}" != "--unpacked" ]; then
  echo "$source_dir"
  exit 0
fi
command -v unzip >/dev/null || bash "$(dirname "$0")/install-deps.sh" >&2
# The cache remembers which archives it was made from; a new one (an update
# package installed later) unpacks everything again, in order.
archives=$(ls "$source_dir"/*.pk3 | sort)
if [ "$(cat "$cache/.unpacked" 2>/dev/null)" != "$archives" ]; then
  mkdir -p "$cache"
  # Archives are unpacked in name order so later patches replace earlier files.
  for archive in $archives; do
    echo "unpacking $(basename "$archive")" >&2
    unzip -qq -o "$archive" -d "$cache" -x 'sound/*' 'music/*' 'video/*' >&2 || true
  done
  echo "$archives" > "$cache/.unpacked"
fi
echo "$cache"
