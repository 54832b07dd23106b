#!/usr/bin/env bash
# The model viewer on the corpus MD2 with its skin, offscreen, for 60 frames
# with a screenshot of the last: the model on its lit floor must show.
set -u
viewer=$1; pngstats=$2; corpus=$3; out=$4
rm -rf "$out" && mkdir -p "$out"
(cd "$out" && SDL_VIDEODRIVER=offscreen "$viewer" --model "$corpus/md2/faerie.md2" --skin "$corpus/md2/faerie2.bmp" \
  --frames 60 --size 640x480 --screenshot "$out/offscreen.png" > "$out/offscreen.txt" 2>&1)
status=$?
cat "$out/offscreen.txt"
[ $status -eq 0 ] || { echo "modelviewer failed with $status"; exit 1; }
stats=$("$pngstats" "$out/offscreen.png") || { echo "no screenshot"; exit 1; }
echo "offscreen: $stats"
read -r _ mean _ dark _ colours <<< "$stats"
# A grey floor under a black sky with a textured, lit model on it.
awk -v m="$mean" -v d="$dark" -v c="$colours" 'BEGIN { exit !(m > 40 && m < 160 && d > 0.1 && d < 0.6 && c > 1000) }' \
  || { echo "the screenshot does not look like a model on a floor"; exit 1; }
grep -q "animation: stand" "$out/offscreen.txt" || { echo "the first animation was not chosen"; exit 1; }
grep -rq "MD2: Loaded Successfully" "$out/Korvath.log" "$(dirname "$viewer")/Korvath.log" 2>/dev/null \
  || { echo "no successful model load in the log"; exit 1; }
echo "modelviewer e2e passed"
