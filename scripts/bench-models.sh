#!/usr/bin/env bash
# The comparative model benchmark: Korvath and Irrlicht 1.8 each draw 100
# animated copies of the corpus MD2 (with its skin) in one 640 x 480 view, side
# by side in one virtual X server. Prints load milliseconds per model, mean and
# 95th-percentile frame milliseconds and peak resident memory per engine;
# screenshots of the last frame land in bench-out/.
#   FRAMES  frames per run (default 300)
#   ROUNDS  runs of both engines (default 3); each cell shows the run with the
#           median mean frame time, since a shared machine's figures wander
set -euo pipefail
cd "$(dirname "$0")/.."
frames="${FRAMES:-300}"
rounds="${ROUNDS:-3}"
corpus="$(cd .. && pwd)/shared/corpus/md2"

# Inside the virtual X server: engine after engine, round after round.
if [ "${1:-}" = "--inside-x" ]; then
  for _ in $(seq "$rounds"); do
    for engine in korvath irrlicht; do
      build/bench/models/${engine}_models "$corpus/sydney.md2" "$corpus/sydney.bmp" "$frames" \
        "bench-out/$engine-md2.png" 2>/dev/null | grep '^RESULT' || echo "RESULT $engine md2x100 failed"
    done
  done
  exit 0
fi
bash scripts/install-bench-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target korvath_models irrlicht_models
mkdir -p bench-out

unset SDL_VIDEODRIVER
xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" --inside-x > bench-out/models.txt

printf '%-9s %14s %10s %10s %10s\n' engine "load ms/model" "mean ms" "p95 ms" "peak MiB"
# The median round of each engine.
for engine in korvath irrlicht; do
  grep "^RESULT $engine " bench-out/models.txt | sort -k5,5n | awk -v n="$rounds" 'NR == int((n + 1) / 2) {
    printf "%-9s %14.2f %10s %10s %10s\n", $2, $4, $5, $6, $7 }'
done
