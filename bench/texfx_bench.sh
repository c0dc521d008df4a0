#!/bin/sh
# Builds and runs the text-effects benchmark (release build).
# Usage: bench/texfx_bench.sh [benchmark options]
#        bench/texfx_bench.sh --write FOLDER   (result images as BMP files)
set -e
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
cmake --build build/default --target texfx_bench texteffects -j2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
LUMIVEX_PREFIX="$prefix" build/default/stage/bin/texfx_bench "$@"
