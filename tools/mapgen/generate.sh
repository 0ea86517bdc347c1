#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Regenerates resources/uk.bmp from Natural Earth 1:10m country outlines.
# Fetches the npm package world-atlas@2 into a scratch folder (nothing of it
# is kept) and builds the generator in build/mapgen.
#   bash tools/mapgen/generate.sh [--preview OUT.png]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
npm install --prefix "$scratch" --no-save --no-audit --no-fund world-atlas@2 >/dev/null

build="$root/build/mapgen"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZORVANE_MAPGEN=ON \
  -DZORVANE_TESTS=OFF -DZORVANE_BENCH=OFF >/dev/null
cmake --build "$build" --target zorvane-mapgen

QT_QPA_PLATFORM=offscreen "$build/tools/mapgen/zorvane-mapgen" \
  "$scratch/node_modules/world-atlas/countries-10m.json" "$root/resources/uk.bmp" "$@"
echo "wrote $root/resources/uk.bmp"
