#!/usr/bin/env bash
# Renders the three reference views (../shared/reference/README.md) with the
# viewer and prints the mean luminance of each next to the reference picture's.
# Screenshots land in build/reference/. Needs the game data (fetched here).
set -euo pipefail
cd "$(dirname "$0")/.."
reference=${KORVATH_REFERENCE:-../shared/reference}
bash scripts/install-deps.sh >&2
data=$(bash scripts/fetch-game-data.sh)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build --target viewer e2e_pngstats > /dev/null
stats=$(find build -name e2e_pngstats -type f | head -1)
out=build/reference && mkdir -p "$out"
# level, then the eye in engine axes (file x, z, -y) with pitch and yaw: the
# file's yaw turns from +x toward +y, the camera's from -z the other way.
views=("aggressor -576 178 -192 0 0" "oa_dm3 704 82 -448 0 90" "ctf_compromise 304 50 1712 0 90")
printf '%-16s %10s %10s %8s\n' level reference korvath change
for view in "${views[@]}"; do
  read -r level x y z pitch yaw <<< "$view"
  (cd "$out" && SDL_VIDEODRIVER=offscreen ../examples/viewer --path "$data/" --map "$level" --camera "$x" "$y" "$z" \
    "$pitch" "$yaw" --fov 90 --size 640x480 --frames 30 --screenshot "$level.png" > "$level.txt" 2>&1)
  ours=$("$stats" "$out/$level.png" | awk '{print $2}')
  theirs=$("$stats" "$reference/$level.png" | awk '{print $2}')
  awk -v l="$level" -v r="$theirs" -v k="$ours" 'BEGIN { printf "%-16s %10.1f %10.1f %+7.1f%%\n", l, r, k, 100 * (k - r) / r }'
done
