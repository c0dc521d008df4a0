#!/usr/bin/env bash
# Builds everything and runs the demo: the grid-and-partition plug-in applied
# to the bundled sample image through the lumivex host program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
out=out/demo
mkdir -p "$out"
lumivex=build/default/stage/bin/lumivex
"$lumivex" apply gridsplit samples/sample.png -o "$out/grid.png" \
  --set rows=3 --set columns=4 --set width=6 --set colour=#1e3c78 --set border=1 \
  --set cells=1
echo "demo written to $out/ (grid.png, and one image per cell in grid-cells/)"
