#!/usr/bin/env bash
# Builds everything and runs the demo on the bundled samples through the
# lumivex host program: the grid-and-partition plug-in, the TPI format module
# and the built-in formats, the audio media module and, where it is built,
# the text effects page.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
out=out/demo
mkdir -p "$out"
lumivex=build/default/stage/bin/lumivex

echo "== grid and partition"
"$lumivex" apply gridsplit samples/sample.png -o "$out/grid.png" \
  --set rows=3 --set columns=4 --set width=6 --set colour=#1e3c78 --set border=1 \
  --set cells=1

echo "== file formats"
"$lumivex" convert samples/sample.png "$out/sample.tpi"
"$lumivex" convert "$out/sample.tpi" "$out/sample.jpg" --option quality=85
"$lumivex" convert "$out/sample.tpi" "$out/sample-256.gif" --type palette256
"$lumivex" convert "$out/sample.tpi" "$out/sample-grey.tpi" --type grey
"$lumivex" info "$out/sample.tpi" --screenshot "$out/sample-tpi-properties.png" | tee "$out/sample-tpi-info.txt"
"$lumivex" preview "$out/sample.tpi" 160x120 -o "$out/sample-preview.png"
"$lumivex" apply gridsplit "$out/sample-grey.tpi" -o "$out/grid-grey.png" --set rows=2 --set columns=2

echo "== audio"
"$lumivex" audio samples/chime.wav samples/tune.mid | tee "$out/audio-info.txt"
"$lumivex" audio samples/chime.wav --thumbnail "$out/chime-thumbnail.png" \
  --screenshot "$out/chime-properties.png" >/dev/null
"$lumivex" audio samples/tune.mid --thumbnail "$out/tune-thumbnail.png" \
  --screenshot "$out/tune-properties.png" >/dev/null

if [ -x scripts/demo-text.sh ]; then
  echo "== text effects"
  scripts/demo-text.sh
fi
echo "demo written to $out/"
