#!/usr/bin/env bash
# Installs what is missing, builds the library and the viewer, and runs the viewer.
# Arguments are passed to the viewer (see examples/viewer/main.cpp).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVATH_TESTS=OFF -DKORVATH_BENCH=OFF
cmake --build build --target viewer
exec build/examples/viewer "$@"
