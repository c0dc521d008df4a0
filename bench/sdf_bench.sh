#!/bin/sh
# Builds sdf_bench (optimised build), runs it and OpenCV's distance
# transform on the same 2000 x 600 mask in one run, checks that the
# distances agree and prints the times and ratios. Needs Debian's
# python3-opencv (the system python).
set -e
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
cmake --build build/default --target sdf_bench -j2 >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
LUMIVEX_PREFIX="$work" build/default/stage/bin/sdf_bench "$work" >"$work/timings.txt"
python=/usr/bin/python3
[ -x "$python" ] || python=python3
"$python" bench/sdf_opencv.py "$work" "$work/timings.txt"
