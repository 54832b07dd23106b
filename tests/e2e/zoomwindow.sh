#!/usr/bin/env bash
# The zoomwindow example on autopilot, offscreen: the window shrinks and the
# viewport with it, ten wheel steps narrow the view and the squares grow.
set -u
bin=$1; out=$2
rm -rf "$out" && mkdir -p "$out"
fail() { echo "$1"; exit 1; }
(cd "$out" && SDL_VIDEODRIVER=offscreen "$bin" --autopilot > "$out/run.txt" 2>&1) || { cat "$out/run.txt"; fail "zoomwindow failed"; }
cat "$out/run.txt"
grep -q "^vsync: " "$out/run.txt" || fail "no vsync line"
grep -q "^resized: 320x240" "$out/run.txt" || fail "the host was not told of the new size"
grep -q "^viewport: 320x240" "$out/run.txt" || fail "the viewport did not follow the window"
zoom=$(grep "^zoom:" "$out/run.txt")
steps=$(sed -E 's/^zoom: ([0-9-]+) wheel.*/\1/' <<<"$zoom")
fov=$(sed -E 's/.*field of view ([0-9]+),.*/\1/' <<<"$zoom")
before=$(sed -E 's/.*lit pixels ([0-9]+) before.*/\1/' <<<"$zoom")
after=$(sed -E 's/.* ([0-9]+) after$/\1/' <<<"$zoom")
[ "$steps" = 10 ] || fail "the wheel steps did not arrive: $zoom"
[ "$fov" = 20 ] || fail "the field of view did not narrow: $zoom"
awk -v b="$before" -v a="$after" 'BEGIN { exit !(b > 1000 && a > 3 * b) }' || fail "zooming in did not grow the squares: $before -> $after"
echo "zoomwindow e2e passed"
