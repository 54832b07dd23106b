#!/usr/bin/env bash
# The single-file examples, offscreen on the corpus: the level walk must get
# somewhere and be stopped by walls on the way, the material quad must show its
# cloud layers across the middle of a black picture, the fountain its sparks,
# the player in the level its light.
set -u
bin=$1; pngstats=$2; corpus=$3; out=$4
rm -rf "$out" && mkdir -p "$out"
fail() { echo "$1"; exit 1; }

(cd "$out" && SDL_VIDEODRIVER=offscreen "$bin/levelwalk" --path "$corpus/q3" --map ps9ctf --autopilot \
  --frames 400 --size 320x240 --screenshot "$out/walk.png" > "$out/walk.txt" 2>&1) || { cat "$out/walk.txt"; fail "levelwalk failed"; }
cat "$out/walk.txt"
read -r _ walked _ _ _ _ _ _ walls _ < "$out/walk.txt"
[ "${walked:-0}" -gt 2000 ] || fail "the walk did not get anywhere"
[ "${walls:-0}" -ge 2 ] || fail "no wall stopped the walk"
read -r _ mean _ _ _ colours <<< "$("$pngstats" "$out/walk.png")"
awk -v m="$mean" -v c="$colours" 'BEGIN { exit !(m > 10 && c > 500) }' || fail "the walk's screenshot shows no level"

(cd "$out" && SDL_VIDEODRIVER=offscreen "$bin/materialquad" --path "$corpus/q3" --frames 30 --size 320x240 \
  --screenshot "$out/quad.png" > "$out/quad.txt" 2>&1) || { cat "$out/quad.txt"; fail "materialquad failed"; }
cat "$out/quad.txt"
grep -q "3 stages" "$out/quad.txt" || fail "the sky material was not found with its three stages"
read -r _ mean _ dark _ colours <<< "$("$pngstats" "$out/quad.png")"
# The quad covers the middle ~45% of the picture; the rest stays black.
awk -v m="$mean" -v d="$dark" -v c="$colours" 'BEGIN { exit !(m > 30 && d > 0.3 && d < 0.7 && c > 100) }' \
  || fail "the quad does not show the material: mean $mean dark $dark colours $colours"
(cd "$out" && SDL_VIDEODRIVER=offscreen "$bin/fountain" --path "$corpus/q3" --frames 60 --size 320x240 \
  --screenshot "$out/fountain.png" > "$out/fountain.txt" 2>&1) || { cat "$out/fountain.txt"; fail "fountain failed"; }
cat "$out/fountain.txt"
read -r _ mean _ dark _ colours <<< "$("$pngstats" "$out/fountain.png")"
# Sparks of many shades scattered over a black picture.
awk -v m="$mean" -v d="$dark" -v c="$colours" 'BEGIN { exit !(m > 0.2 && d > 0.9 && c > 200) }' \
  || fail "the fountain shows no sparks: mean $mean dark $dark colours $colours"
# The player in the level's light is darker than the same player unlit, in this
# dim corridor; the rest of the two pictures is the same level.
for mode in lit unlit; do
  flag=""; [ $mode = unlit ] && flag="--unlit"
  (cd "$out" && SDL_VIDEODRIVER=offscreen "$bin/litplayer" --path "$corpus/q3" --frames 10 --size 320x240 $flag \
    --screenshot "$out/player-$mode.png" > "$out/player-$mode.txt" 2>&1) || { cat "$out/player-$mode.txt"; fail "litplayer failed"; }
done
cat "$out/player-lit.txt"
grep -q "grid light: ambient" "$out/player-lit.txt" || fail "the player stands where the grid has no light"
read -r _ lit _ <<< "$("$pngstats" "$out/player-lit.png")"
read -r _ unlit _ <<< "$("$pngstats" "$out/player-unlit.png")"
awk -v l="$lit" -v u="$unlit" 'BEGIN { exit !(l > 5 && u - l > 0.5) }' \
  || fail "the lit player is not darker than the unlit one: $lit against $unlit"
echo "examples e2e passed"
