#!/bin/sh
# Builds mask_bench (release build), runs it and OpenCV's dilate and erode
# on the same 2000 x 600 mask with the same disks, and prints the times and
# the ratios. Needs Debian's python3-opencv (the system python).
set -e
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
cmake --build build/default --target mask_bench -j2 >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
LUMIVEX_PREFIX="$work" build/default/stage/bin/mask_bench "$work" >"$work/timings.txt"
python=/usr/bin/python3
[ -x "$python" ] || python=python3
"$python" bench/mask_opencv.py "$work" "$work/timings.txt"
