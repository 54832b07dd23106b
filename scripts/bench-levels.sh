#!/usr/bin/env bash
# The comparative level benchmark: Korvath and Irrlicht 1.8 load the same levels
# and draw 300 frames from the same spawn-point views at 640 x 480, side by side
# in one virtual X server. Prints load seconds, mean and 95th-percentile frame
# milliseconds and peak resident memory per engine and level; screenshots of the
# first view land in bench-out/. Korvath runs twice: with its default trilinear
# mipmap filtering and with Irrlicht's default bilinear one (korvath-bi).
#   FRAMES  frames per level (default 300)
#   ROUNDS  runs of the whole set (default 3); each cell shows the run with the
#           median mean frame time, since a shared machine's figures wander
set -euo pipefail
cd "$(dirname "$0")/.."
frames="${FRAMES:-300}"
rounds="${ROUNDS:-3}"

# Inside the virtual X server: every level, engine after engine, round after round.
if [ "${1:-}" = "--inside-x" ]; then
  for _ in $(seq "$rounds"); do
    for entry in "ps9ctf:$BENCH_CORPUS" "oa_dm3:$BENCH_DATA" "aggressor:$BENCH_DATA" "ctf_compromise:$BENCH_DATA"; do
      map=${entry%%:*}; dir=${entry#*:}
      # korvath-bi: Korvath with Irrlicht's default (bilinear) mipmap filtering.
      for engine in korvath korvath-bi irrlicht; do
        program=${engine%-bi}; filter=""; [ "$engine" = korvath-bi ] && filter=bilinear
        build/bench/levels/${program}_levels "$dir" "$map" "$frames" "bench-out/$engine-$map.png" $filter 2>/dev/null \
          | grep '^RESULT' || echo "RESULT $engine $map failed"
      done
    done
  done
  exit 0
fi
bash scripts/install-bench-deps.sh
data=$(bash scripts/fetch-game-data.sh --unpacked)
corpus="$(cd .. && pwd)/shared/corpus/q3"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target korvath_levels irrlicht_levels
mkdir -p bench-out

unset SDL_VIDEODRIVER
BENCH_DATA="$data" BENCH_CORPUS="$corpus" xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" --inside-x > bench-out/results.txt

printf '%-16s %-10s %8s %10s %10s %10s\n' level engine "load s" "mean ms" "p95 ms" "peak MiB"
# The median round of every level and engine, in the order they ran.
awk '{ key = $3 " " $2; if (!(key in n)) order[++keys] = key; row[key, ++n[key]] = $0; mean[key, n[key]] = $5 + 0 }
     END {
       for (k = 1; k <= keys; ++k) {
         key = order[k]; m = n[key]
         for (i = 1; i <= m; ++i) { rank = 0; for (j = 1; j <= m; ++j) rank += mean[key, j] < mean[key, i] || (mean[key, j] == mean[key, i] && j < i)
                                    if (rank == int((m - 1) / 2)) print row[key, i] }
       }
     }' bench-out/results.txt |
while read -r _ engine map load mean p95 rss; do
  printf '%-16s %-10s %8s %10s %10s %10s\n' "$map" "$engine" "$load" "$mean" "$p95" "$rss"
done
