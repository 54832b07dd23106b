#!/usr/bin/env bash
# A fuzzing campaign: every harness fuzz/fuzz_<name>.cpp runs for MINUTES
# minutes on its seeds (fuzz/<name>.seeds) and what earlier campaigns found,
# with the dictionary fuzz/dict/<name>.dict when there is one. New coverage is
# kept in fuzz-out/corpus/<name>/ for the next campaign; inputs that crash, hang
# or leak land in fuzz-out/crashes/<name>/ and belong, once fixed, in
# fuzz/regressions/<name>/, which the test command replays.
#   scripts/fuzz-campaign.sh MINUTES [HARNESS...]
#   FUZZ_BUILD  build directory (default build-fuzz)
set -euo pipefail
cd "$(dirname "$0")/.."
minutes="${1:?usage: fuzz-campaign.sh MINUTES [HARNESS...]}"
shift
build="${FUZZ_BUILD:-build-fuzz}"
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKORVATH_FUZZ=ON -DKORVATH_TESTS=OFF -DKORVATH_BENCH=OFF -DKORVATH_EXAMPLES=OFF >/dev/null
cmake --build "$build" -j2

names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for source in fuzz/fuzz_*.cpp; do names+=("$(basename "$source" .cpp | sed 's/^fuzz_//')"); done
fi

export ASAN_OPTIONS="alloc_dealloc_mismatch=0"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp"
table="fuzz-out/campaign-$(date +%Y%m%d-%H%M).txt"
mkdir -p fuzz-out
printf '%-16s %8s %12s %8s %8s %8s %6s\n' harness seconds executions cov features crashes slow | tee "$table"
# Crashes, leaks, hangs and memory blow-ups are faults; a slow unit is an input
# that once took over ten seconds, which on a loaded machine may be the
# machine: replay it to tell.
count() { find "$crashes" -type f -name "$1" | wc -l; }
faults() { echo $(( $(count 'crash-*') + $(count 'leak-*') + $(count 'timeout-*') + $(count 'oom-*') )); }
for name in "${names[@]}"; do
  corpus="fuzz-out/corpus/$name"; crashes="fuzz-out/crashes/$name"; log="fuzz-out/$name.log"
  mkdir -p "$corpus" "$crashes"
  if [ -f "fuzz/$name.seeds" ]; then
    while IFS= read -r line || [ -n "$line" ]; do
      line="$(echo "${line%%#*}" | xargs)"
      [ -z "$line" ] && continue
      # Whole real files (a 1.7 MB level) stay with the smoke's replay: each
      # would cost the campaign a second per mutation and teach it little.
      if [ -d "$line" ]; then find "$line" -type f -size -256k -exec cp -n {} "$corpus/" \;
      elif [ -f "$line" ] && [ "$(stat -c %s "$line")" -lt 262144 ]; then cp -n "$line" "$corpus/"; fi
    done < "fuzz/$name.seeds"
  fi
  dict=(); [ -f "fuzz/dict/$name.dict" ] && dict=(-dict="fuzz/dict/$name.dict")
  seconds=$((minutes * 60))
  before=$(faults)
  slowBefore=$(count 'slow-unit-*')
  # -fork keeps the campaign going past a crash, so one run finds several.
  timeout $((seconds + 300)) "$build/fuzz/fuzz_$name" "$corpus" "${dict[@]}" -fork=1 -ignore_crashes=1 \
    -ignore_timeouts=1 -ignore_ooms=1 -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=25 \
    -artifact_prefix="$crashes/" -print_final_stats=1 > "$log" 2>&1 || true
  execs=$(grep -o 'exec/s' "$log" >/dev/null && grep -oE '#[0-9]+' "$log" | tail -1 | tr -d '#' || echo 0)
  cov=$(grep -oE 'cov: [0-9]+' "$log" | tail -1 | awk '{print $2}')
  ft=$(grep -oE 'ft: [0-9]+' "$log" | tail -1 | awk '{print $2}')
  found=$(( $(faults) - before ))
  slow=$(( $(count 'slow-unit-*') - slowBefore ))
  printf '%-16s %8d %12s %8s %8s %8d %6d\n' "$name" "$seconds" "${execs:-0}" "${cov:-?}" "${ft:-?}" "$found" "$slow" | tee -a "$table"
done
echo "table: $table; crashing inputs: fuzz-out/crashes/"
