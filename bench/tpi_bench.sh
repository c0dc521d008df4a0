#!/bin/sh
# Reads and writes a 4000 x 3000 true-colour TPI file through the module
# (tpi_bench), beside a plain copy of the same bytes and beside ImageMagick
# reading and writing the same image as BMP, and prints the ratios.
# Usage: bench/tpi_bench.sh   (from any folder; builds what it needs)
set -e
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
cmake --build build/default --target tpi_bench tpiformat -j2 >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
LUMIVEX_PREFIX="$work/prefix" build/default/stage/bin/tpi_bench \
  --benchmark_format=json --benchmark_out="$work/tpi.json" --benchmark_out_format=json >/dev/null
# ImageMagick's own program (a wrapper earlier on the path would be timed too).
magick=/usr/bin/convert
[ -x "$magick" ] || magick=$(command -v convert || true)
if [ -z "$magick" ]; then
  echo "ImageMagick (convert) is not installed: no comparison" >&2
  exit 1
fi
"$magick" -size 4000x3000 gradient:red-blue -type TrueColor "BMP3:$work/in.bmp"
runs=5
start=$(date +%s%N)
i=0
while [ $i -lt $runs ]; do
  "$magick" "$work/in.bmp" "BMP3:$work/out.bmp"
  i=$((i + 1))
done
end=$(date +%s%N)
python3 - "$work/tpi.json" "$start" "$end" "$runs" <<'PY'
import json, sys
runs = int(sys.argv[4])
magick = (int(sys.argv[3]) - int(sys.argv[2])) / 1e6 / runs
times = {b["name"].split("/")[0]: b["real_time"] for b in json.load(open(sys.argv[1]))["benchmarks"]}
copy, read, write = times["BM_PlainCopy"], times["BM_TpiRead"], times["BM_TpiWrite"]
print(f"4000 x 3000 true colour, milliseconds per run")
print(f"  plain copy (read + write bytes)  {copy:8.1f}")
print(f"  TPI read through the module      {read:8.1f}   {read / copy:5.2f} x plain copy")
print(f"  TPI write through the module     {write:8.1f}   {write / copy:5.2f} x plain copy")
print(f"  TPI read + write                 {read + write:8.1f}")
print(f"  ImageMagick BMP read + write     {magick:8.1f}   TPI is {magick / (read + write):5.2f} x faster")
PY
