#!/usr/bin/env bash
# The model viewer on the corpus MD5 flag with its animation and picture,
# offscreen, with and without its skeleton: both must show the lit flag on
# its floor, the animation must be chosen, and the skeleton must add lines.
set -u
viewer=$1; pngstats=$2; corpus=$3; out=$4
rm -rf "$out" && mkdir -p "$out"
run() {
  (cd "$out" && SDL_VIDEODRIVER=offscreen "$viewer" --model "$corpus/md5/ffflag.md5mesh" \
    --anim "$corpus/md5/ffflag.md5anim" --skin "$corpus/md5/ffflag_cc.jpg" --animation ffflag "$@" \
    --frames 40 --size 480x360 > "$out/$name.txt" 2>&1)
}
for name in plain skeleton; do
  extra=(); [ "$name" = skeleton ] && extra=(--skeleton)
  run "${extra[@]}" --screenshot "$out/$name.png"
  status=$?
  cat "$out/$name.txt"
  [ $status -eq 0 ] || { echo "modelviewer failed with $status"; exit 1; }
  stats=$("$pngstats" "$out/$name.png") || { echo "no screenshot"; exit 1; }
  echo "$name: $stats"
  read -r _ mean _ dark _ colours <<< "$stats"
  awk -v m="$mean" -v d="$dark" -v c="$colours" 'BEGIN { exit !(m > 30 && m < 160 && d > 0.1 && d < 0.7 && c > 1000) }' \
    || { echo "the $name screenshot does not look like a model on a floor"; exit 1; }
  grep -q "animation: ffflag" "$out/$name.txt" || { echo "the animation was not chosen"; exit 1; }
done
cmp -s "$out/plain.png" "$out/skeleton.png" && { echo "the skeleton drew nothing"; exit 1; }
echo "md5 modelviewer e2e passed"
