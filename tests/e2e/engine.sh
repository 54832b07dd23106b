#!/usr/bin/env bash
# Runs the engine host program in a real window on a virtual X server and presses K.
set -u
program=$1
out=$2
rm -rf "$out" && mkdir -p "$out"
unset SDL_VIDEODRIVER
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  program=$1; out=$2
  "$program" "$out" > "$out/stdout.txt" 2>&1 &
  pid=$!
  for _ in $(seq 1 300); do grep -q READY "$out/stdout.txt" 2>/dev/null && break; sleep 0.1; done
  window=$(xdotool search --sync --name "Korvath Engine" | head -n 1)
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  sleep 0.3
  xdotool key --delay 100 k
  wait $pid
' _ "$program" "$out"
status=$?
cat "$out/stdout.txt"
[ $status -eq 0 ] || { echo "engine host program failed with $status"; exit 1; }
grep -q "KEY SEEN saved=1" "$out/stdout.txt" || exit 1
[ -s "$out/engine.png" ] || { echo "no screenshot"; exit 1; }
echo "engine e2e passed"
