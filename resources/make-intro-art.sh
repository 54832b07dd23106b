#!/usr/bin/env bash
# Rebuilds the four intro pictures in this directory from MakeIntroArt.cpp.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
tool="$(mktemp -d)/MakeIntroArt"
trap 'rm -rf "$(dirname "$tool")"' EXIT
c++ -std=c++20 -O2 "$here/MakeIntroArt.cpp" -o "$tool"
"$tool" "$here"
