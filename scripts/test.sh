#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test:
# unit and GL tests (offscreen), the end-to-end run under Xvfb, short fuzz runs
# with every regression input replayed, and the test suite again under the
# address, leak and undefined-behaviour sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/check-layers.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
ctest --test-dir build --output-on-failure -j2
if [ -x scripts/fuzz-smoke.sh ]; then
  bash scripts/fuzz-smoke.sh
fi
bash scripts/test-sanitized.sh
