#!/usr/bin/env bash
# The comparative model benchmark: Korvath and Irrlicht 1.8 each draw 100
# animated copies of the corpus MD2 (with its skin), then 50 copies of the
# corpus MD3 player (legs, torso, head and weapon on their tags, legs and torso
# on different animations), in one 640 x 480 view, side by side in one virtual
# X server. Prints load milliseconds per model, mean and 95th-percentile frame
# milliseconds and peak resident memory per engine and case; screenshots of
# the last frame land in bench-out/.
#   FRAMES  frames per run (default 300)
#   ROUNDS  runs of both engines (default 3); each cell shows the run with the
#           median mean frame time, since a shared machine's figures wander
set -euo pipefail
cd "$(dirname "$0")/.."
frames="${FRAMES:-300}"
rounds="${ROUNDS:-3}"
corpus="$(cd .. && pwd)/shared/corpus/md2"
q3="$(cd .. && pwd)/shared/corpus/q3/models"

# Inside the virtual X server: engine after engine, round after round.
if [ "${1:-}" = "--inside-x" ]; then
  for _ in $(seq "$rounds"); do
    for engine in korvath irrlicht; do
      build/bench/models/${engine}_models "$corpus/sydney.md2" "$corpus/sydney.bmp" "$frames" \
        "bench-out/$engine-md2.png" 2>/dev/null | grep '^RESULT' || echo "RESULT $engine md2x100 failed"
      build/bench/models/${engine}_players "$q3/players/tony" "$q3/weapons2/rocketl/rocketl.md3" "$frames" \
        "bench-out/$engine-md3.png" 2>/dev/null | grep '^RESULT' || echo "RESULT $engine md3x50 failed"
    done
  done
  exit 0
fi
bash scripts/install-bench-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target korvath_models irrlicht_models korvath_players irrlicht_players
mkdir -p bench-out

unset SDL_VIDEODRIVER
xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" --inside-x > bench-out/models.txt

printf '%-9s %-7s %14s %10s %10s %10s\n' engine case "load ms/model" "mean ms" "p95 ms" "peak MiB"
# The median round of each engine and case.
for case in md2x100 md3x50; do
  for engine in korvath irrlicht; do
    grep "^RESULT $engine $case " bench-out/models.txt | sort -k5,5n | awk -v n="$rounds" 'NR == int((n + 1) / 2) {
      printf "%-9s %-7s %14.2f %10s %10s %10s\n", $2, $3, $4, $5, $6, $7 }'
  done
done
