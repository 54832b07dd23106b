#!/usr/bin/env bash
# Runs the engine host program in a real window on a virtual X server: presses K,
# then opens the console with the backquote key and types into it.
set -u
program=$1
out=$2
rm -rf "$out" && mkdir -p "$out"
unset SDL_VIDEODRIVER
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  program=$1; out=$2
  wait_for() {
    for _ in $(seq 1 300); do grep -q "$1" "$out/stdout.txt" 2>/dev/null && return 0; sleep 0.1; done
    return 1
  }
  "$program" "$out" > "$out/stdout.txt" 2>&1 &
  pid=$!
  wait_for READY
  window=$(xdotool search --sync --name "Korvath Engine" | head -n 1)
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  sleep 0.3
  xdotool key --delay 100 k
  if wait_for "CONSOLE READY"; then
    xdotool key --delay 150 grave
    xdotool type --delay 150 "foo"
    xdotool key --delay 150 Return
    xdotool type --delay 150 "map e1m1"
    xdotool key --delay 150 Return
    xdotool type --delay 150 "abc"
  fi
  wait $pid
' _ "$program" "$out"
status=$?
cat "$out/stdout.txt"
[ $status -eq 0 ] || { echo "engine host program failed with $status"; exit 1; }
grep -q "KEY SEEN saved=1" "$out/stdout.txt" || exit 1
grep -q "CONSOLE SEEN saved=1 map=E1M1" "$out/stdout.txt" || exit 1
[ -s "$out/engine.png" ] || { echo "no screenshot"; exit 1; }
[ -s "$out/console.png" ] || { echo "no console screenshot"; exit 1; }
echo "engine e2e passed"
