#!/usr/bin/env bash
# The README's minimal host program: its text is the example's, it starts
# offscreen, and a terminate signal (like the window's close button) ends it through
# the closing fade with the engine unloaded.
set -u
program=$1; readme=$2; out=$3
rm -rf "$out" && mkdir -p "$out"
source=$(dirname "$readme")/examples/minimal/main.cpp
awk '/^```cpp$/ { inside = 1; next } inside && /^```$/ { exit } inside' "$readme" > "$out/readme.cpp"
grep -v '^//' "$source" > "$out/example.cpp"
diff -u "$out/readme.cpp" "$out/example.cpp" || { echo "the README's minimal program and examples/minimal differ"; exit 1; }

cp "$program" "$out/minimal"
(cd "$out" && SDL_VIDEODRIVER=offscreen exec ./minimal > "$out/run.txt" 2>&1) &
pid=$!
sleep 5
kill -TERM $pid
for _ in $(seq 60); do kill -0 $pid 2>/dev/null || break; sleep 0.5; done
if kill -0 $pid 2>/dev/null; then kill -9 $pid; echo "the program did not end after the terminate signal"; exit 1; fi
wait $pid
status=$?
cat "$out/run.txt" "$out/Korvath.log"
[ $status -eq 0 ] || { echo "minimal exited with $status"; exit 1; }
grep -q "Engine: Success" "$out/Korvath.log" || { echo "the engine did not start"; exit 1; }
grep -q "Engine: Unloaded" "$out/Korvath.log" || { echo "the engine did not unload"; exit 1; }
echo "minimal e2e passed"
