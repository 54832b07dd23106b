#!/usr/bin/env bash
# The whole GoogleTest suite (GL tests included, on the offscreen context)
# built with clang's address, leak and undefined-behaviour sanitizers; any
# report fails the run. The end-to-end programs are left to the plain build.
#   SANITIZE_BUILD  build directory (default build-asan)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${SANITIZE_BUILD:-build-asan}"
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKORVATH_SANITIZE=ON -DKORVATH_BENCH=OFF >/dev/null
cmake --build "$build" -j2
# alloc_dealloc_mismatch: Mesa's own LLVM frees with delete what it made with
# new[] when the driver's compiler is torn down; it is not the engine's code.
export ASAN_OPTIONS="alloc_dealloc_mismatch=0:detect_leaks=1:abort_on_error=0:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
# The GL driver is loaded and unloaded by the window system library; once
# unloaded, its leaks have no names and no suppression can match them. Loaded
# first, it stays for the life of the process.
preload=""
for library in /usr/lib/*/dri/swrast_dri.so /usr/lib/*/libEGL_mesa.so.0 /usr/lib/*/libGLX_mesa.so.0; do
  [ -e "$library" ] && preload="$preload${preload:+:}$library"
done
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
LD_PRELOAD="$preload" ctest --test-dir "$build" --output-on-failure -j2 -E '^e2e\.'
