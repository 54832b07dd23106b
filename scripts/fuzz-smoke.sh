#!/usr/bin/env bash
# Short libFuzzer runs of every harness fuzz/fuzz_<name>.cpp on its seeds.
# fuzz/<name>.seeds lists seed files or directories, one a line, relative to the
# repository ('#' starts a comment); they are copied into a scratch corpus so the
# run never writes next to the originals. Fails when any harness finds a crash.
#   FUZZ_SECONDS  time per harness (default 15)
#   FUZZ_BUILD    build directory (default build-fuzz)
#   FUZZ_SEED     libFuzzer's random seed (default 1: the test command replays the
#                 same mutations every run; long hunts pass another seed, or 0 for a random one)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-15}"
seed="${FUZZ_SEED:-1}"
build="${FUZZ_BUILD:-build-fuzz}"

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKORVATH_FUZZ=ON -DKORVATH_TESTS=OFF -DKORVATH_BENCH=OFF -DKORVATH_EXAMPLES=OFF >/dev/null
cmake --build "$build" -j2

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
failed=()
for source in fuzz/fuzz_*.cpp; do
  harness="$(basename "$source" .cpp)"
  name="${harness#fuzz_}"
  corpus="$scratch/$name"
  artifacts="$build/crashes/$name"
  mkdir -p "$corpus" "$artifacts"
  if [ -f "fuzz/$name.seeds" ]; then
    while IFS= read -r line || [ -n "$line" ]; do
      line="${line%%#*}"
      line="$(echo "$line" | xargs)"
      [ -z "$line" ] && continue
      if [ -d "$line" ]; then
        find "$line" -type f -exec cp {} "$corpus/" \;
      elif [ -f "$line" ]; then
        cp "$line" "$corpus/"
      else
        echo "fuzz-smoke: $name: seed $line not found" >&2
      fi
    done < "fuzz/$name.seeds"
  fi
  echo "fuzz-smoke: $harness for ${seconds}s on $(ls "$corpus" | wc -l) seeds"
  if ! timeout $((seconds + 120)) "$build/fuzz/$harness" "$corpus" -max_total_time="$seconds" -seed="$seed" \
       -rss_limit_mb=2048 -timeout=25 -print_final_stats=0 -artifact_prefix="$artifacts/" \
       >"$build/crashes/$name.log" 2>&1; then
    echo "fuzz-smoke: $harness FAILED (log: $build/crashes/$name.log, inputs: $artifacts/)" >&2
    tail -30 "$build/crashes/$name.log" >&2
    failed+=("$harness")
  fi
done

# Every input that once crashed a harness is replayed as it stands.
for dir in fuzz/regressions/*/; do
  [ -d "$dir" ] || continue
  name="$(basename "$dir")"
  [ -x "$build/fuzz/fuzz_$name" ] || continue
  if ! "$build/fuzz/fuzz_$name" -runs=1 -timeout=25 "$dir"* >"$build/crashes/$name-regressions.log" 2>&1; then
    echo "fuzz-smoke: a regression input of $name fails again (log: $build/crashes/$name-regressions.log)" >&2
    failed+=("$name regressions")
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz-smoke: crashes in ${failed[*]}" >&2
  exit 1
fi
echo "fuzz-smoke: all harnesses ran clean"
