#!/usr/bin/env bash
# Installs what is missing (build packages and the free game data), builds the
# library and the viewer, and runs the viewer. Arguments go to the viewer
# (see examples/viewer/main.cpp); --path defaults to the game data, whose
# archives the viewer mounts.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
data=$(bash scripts/fetch-game-data.sh)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target viewer
case " $* " in
  *" --path "*) exec build/examples/viewer "$@" ;;
  *) exec build/examples/viewer --path "$data/" "$@" ;;
esac
