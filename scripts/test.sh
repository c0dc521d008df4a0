#!/usr/bin/env bash
# Builds everything and runs the whole test suite: once in the normal build,
# once with the address and undefined-behaviour sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
for preset in default sanitize; do
  echo "== build and test: $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset" -j 2
done
echo "== fuzz targets"
scripts/fuzz.sh
