#!/usr/bin/env bash
# What the comparative benchmarks need beyond the engine's own packages: the
# other engine, Irrlicht 1.8, from Debian's libirrlicht-dev.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
if ! dpkg-query -W -f='${Status}' libirrlicht-dev 2>/dev/null | grep -q "install ok installed"; then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update && $SUDO apt-get install -y --no-install-recommends libirrlicht-dev
fi
