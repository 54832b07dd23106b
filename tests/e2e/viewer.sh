#!/usr/bin/env bash
# The viewer, the README's main job, on the corpus level: once in a real window
# on a virtual X server, once offscreen, each for 200 frames with a screenshot of
# the last. Both screenshots must show a lit, textured level.
set -u
viewer=$1; pngstats=$2; data=$3; out=$4
rm -rf "$out" && mkdir -p "$out"
args=(--path "$data/" --map ps9ctf --frames 200 --size 640x480)

check() {  # name of the run
  local stats
  stats=$("$pngstats" "$out/$1.png") || { echo "$1: no screenshot"; return 1; }
  echo "$1: $stats"
  read -r _ mean _ dark _ colours <<< "$stats"
  # Lightmapped walls: not black, not flat white, many colours.
  awk -v m="$mean" -v d="$dark" -v c="$colours" 'BEGIN { exit !(m > 12 && m < 200 && d < 0.6 && c > 500) }' \
    || { echo "$1: the screenshot does not look like a lit level"; return 1; }
  grep -q "mean frame time" "$out/$1.txt" || { echo "$1: no timing line"; return 1; }
}

# Under X the render window also carries its class name, looked up while it runs.
(cd "$out" && unset SDL_VIDEODRIVER && xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  "$@" > x11.txt 2>&1 & viewer=$!
  for _ in $(seq 100); do
    xdotool search --class KRVX > x11-class.txt 2>/dev/null && break
    sleep 0.1
  done
  wait $viewer' _ "$viewer" "${args[@]}" --screenshot "$out/x11.png")
status=$?
cat "$out/x11.txt"
[ $status -eq 0 ] || { echo "viewer under X failed with $status"; exit 1; }
check x11 || exit 1
[ -s "$out/x11-class.txt" ] || { echo "no window of class KRVX under X"; exit 1; }

# Offscreen, with the game data named relative to the directory it starts in.
(cd "$(dirname "$data")" && SDL_VIDEODRIVER=offscreen "$viewer" --path "$(basename "$data")" --map ps9ctf --fov 90 --frames 200 \
  --size 640x480 --screenshot "$out/offscreen.png" > "$out/offscreen.txt" 2>&1)
status=$?
cat "$out/offscreen.txt"
[ $status -eq 0 ] || { echo "offscreen viewer failed with $status"; exit 1; }
check offscreen || exit 1
grep -q "BSP: Loaded Successfully" "$out/Korvath.log" 2>/dev/null || grep -rq "BSP: Loaded Successfully" "$(dirname "$viewer")/Korvath.log" \
  || { echo "no successful level load in the log"; exit 1; }
echo "viewer e2e passed"
