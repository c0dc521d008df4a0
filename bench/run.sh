#!/bin/sh
# Builds and runs the benchmarks of the default preset (release build).
# Usage: bench/run.sh [benchmark options, e.g. --benchmark_filter=Grid]
set -e
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
cmake --build build/default --target grid_bench gridsplit -j2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
LUMIVEX_PREFIX="$prefix" build/default/stage/bin/grid_bench "$@"
cmake --build build/default --target audio_bench audioinfo -j2 && LUMIVEX_PREFIX="$prefix" build/default/stage/bin/audio_bench "$@"
cmake --build build/default --target tpi_bench tpiformat -j2 && LUMIVEX_PREFIX="$prefix" build/default/stage/bin/tpi_bench "$@"
