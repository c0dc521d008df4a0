#!/usr/bin/env bash
# Draws the README's pictures of the fourteen text effects into docs/images/
# (the word "Lumivex" at 40 pixels on white, each effect with its default
# settings) through the built lumivex program. Run after building.
set -euo pipefail
cd "$(dirname "$0")/.."
lumivex=${LUMIVEX:-build/default/stage/bin/lumivex}
out=docs/images
mkdir -p "$out"
effects=(
  "gradient #c03030" "hole #c03030" "glass #2060c0" "metal #808890"
  "relief #2060c0" "relief-outline #2060c0" "relief-texture #806040"
  "concrete #a0a0a0" "sand #d0a050" "lightning #4040a0" "fire #c04000"
  "snow #6080c0" "neon #202020" "seal #c02020"
)
for entry in "${effects[@]}"; do
  read -r name colour <<<"$entry"
  "$lumivex" text Lumivex --size 40 --color "$colour" --effect "$name" \
    --background '#ffffff' -o "$out/text-$name.png" >/dev/null
  echo "$out/text-$name.png"
done
