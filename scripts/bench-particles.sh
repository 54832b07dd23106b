#!/usr/bin/env bash
# The comparative particle benchmark: Korvath and Irrlicht 1.8 draw 10,000 live
# additive billboards at 640 x 480, side by side in one virtual X server, engine
# after engine. Prints mean and 95th-percentile frame milliseconds, Update
# nanoseconds per particle and heap allocations per frame; screenshots of the
# last frame land in bench-out/.
#   ROUNDS  runs of both engines (default 5); each cell shows the run with the
#           median mean frame time, since a shared machine's figures wander
set -euo pipefail
cd "$(dirname "$0")/.."
rounds="${ROUNDS:-5}"

if [ "${1:-}" = "--inside-x" ]; then
  for _ in $(seq "$rounds"); do
    for engine in korvath irrlicht; do
      build/bench/particles/${engine}_particles "bench-out/$engine-particles.png" 2>/dev/null \
        | grep '^RESULT' || echo "RESULT $engine failed"
    done
  done
  exit 0
fi
bash scripts/install-bench-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target korvath_particles irrlicht_particles
mkdir -p bench-out

unset SDL_VIDEODRIVER
xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" --inside-x > bench-out/particles.txt

printf '%-9s %6s %9s %9s %14s %12s\n' engine live "mean ms" "p95 ms" "update ns/p" "allocs/frame"
# The median round of each engine by mean frame time.
for engine in korvath irrlicht; do
  grep "^RESULT $engine " bench-out/particles.txt | sort -k4,4g | awk -v n="$rounds" 'NR == int((n + 1) / 2)' |
  while read -r _ name live mean p95 update allocations; do
    [ "$update" = "-1.0" ] && update="-"
    printf '%-9s %6s %9s %9s %14s %12s\n' "$name" "$live" "$mean" "$p95" "$update" "$allocations"
  done
done
