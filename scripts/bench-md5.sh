#!/usr/bin/env bash
# The comparative MD5 benchmark: Korvath and the Open Asset Import Library
# (Debian's libassimp-dev) load the same md5mesh and md5anim files, the
# corpus flag with its animation and a synthetic long animation (1,000
# frames, 5,000 vertices, written by the tests' MD5 writer), then each draws
# 50 copies of the flag animated and cross-fading in one 640 x 480 view,
# side by side in one virtual X server. Prints load milliseconds and the heap
# one loaded model holds, and mean and 95th-percentile frame milliseconds with
# peak resident memory; screenshots of the last frame land in bench-out/.
#   FRAMES  frames per run (default 300)
#   ROUNDS  runs of both programs (default 3); each cell shows the median run
set -euo pipefail
cd "$(dirname "$0")/.."
frames="${FRAMES:-300}"
rounds="${ROUNDS:-3}"
corpus="$(cd .. && pwd)/shared/corpus/md5"
long="$(pwd)/bench-out/md5-long"

if [ "${1:-}" = "--inside-x" ]; then
  for _ in $(seq "$rounds"); do
    for engine in korvath assimp; do
      build/bench/md5/${engine}_md5 "$corpus/ffflag.md5mesh" "$corpus/ffflag.md5anim" "$corpus/ffflag_cc.jpg" \
        "$frames" "bench-out/$engine-md5.png" 2>/dev/null | grep -E '^(LOAD|RESULT)' || echo "RESULT $engine md5x50 failed"
      build/bench/md5/${engine}_md5 "$long/long.md5mesh" "$long/long.md5anim" "$corpus/ffflag_cc.jpg" 0 \
        2>/dev/null | grep '^LOAD' | sed 's|LOAD \([a-z]*\) [^ ]*|LOAD \1 long|' || echo "LOAD $engine long failed"
    done
  done
  exit 0
fi
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target korvath_md5 assimp_md5 md5_bench_files
mkdir -p "$long"
build/bench/md5/md5_bench_files "$long"

unset SDL_VIDEODRIVER
xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" --inside-x > bench-out/md5.txt
sed -i "s|^LOAD \([a-z]*\) [^ ]*ffflag.md5mesh|LOAD \1 flag|" bench-out/md5.txt

printf '%-8s %-6s %10s %12s\n' engine case "load ms" "heap MiB"
for case in flag long; do
  for engine in korvath assimp; do
    grep "^LOAD $engine $case " bench-out/md5.txt | sort -k4,4n | awk -v n="$rounds" 'NR == int((n + 1) / 2) {
      printf "%-8s %-6s %10s %12s\n", $2, $3, $4, $5 }'
  done
done
printf '\n%-8s %-7s %14s %10s %10s %10s\n' engine case "load ms/copy" "mean ms" "p95 ms" "peak MiB"
for engine in korvath assimp; do
  grep "^RESULT $engine md5x50 " bench-out/md5.txt | sort -k5,5n | awk -v n="$rounds" 'NR == int((n + 1) / 2) {
    printf "%-8s %-7s %14.2f %10s %10s %10s\n", $2, $3, $4, $5, $6, $7 }'
done
