#!/usr/bin/env bash
# Makes the fourteen 80 x 50 effect thumbnails (thumb00.bmp .. thumb13.bmp,
# bitmaps 110..123) by running each effect with its default settings on the
# letters "Ab" laid on the dialog's grey, through the lumivex host program.
# The effects are deterministic, so the same build and font give the same
# bytes. Run it after building (cmake --build --preset default), then build
# again to put the new thumbnails into the module:
#   plugins/texteffects/resources/make_thumbnails.sh [path of lumivex]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../.." && pwd)
lumivex=${1:-$root/build/default/stage/bin/lumivex}
font=${THUMBNAIL_FONT:-/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf}
if [ ! -x "$lumivex" ]; then
  echo "make_thumbnails: $lumivex not found; build first" >&2
  exit 2
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The dialog's grey (212, 208, 200) as an 80 x 50 base image.
python3 - "$work/base.png" <<'PY'
import struct, sys, zlib
w, h = 80, 50
raw = b"".join(b"\0" + bytes((212, 208, 200)) * w for _ in range(h))
def chunk(t, d):
    return struct.pack(">I", len(d)) + t + d + struct.pack(">I", zlib.crc32(t + d) & 0xFFFFFFFF)
png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0))
       + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))
open(sys.argv[1], "wb").write(png)
PY

# Effect number, name and the text colour that shows it best.
effects=(
  "0 gradient #c03030"  "1 hole #c03030"        "2 glass #2060c0"
  "3 metal #808890"     "4 relief #2060c0"      "5 relief-outline #2060c0"
  "6 relief-texture #806040" "7 concrete #a0a0a0" "8 sand #d0a050"
  "9 lightning #4040a0" "10 fire #c04000"       "11 snow #6080c0"
  "12 neon #202020"     "13 seal #c02020"
)
for entry in "${effects[@]}"; do
  read -r number name colour <<<"$entry"
  out=$(printf '%s/thumb%02d' "$here" "$number")
  "$lumivex" text "Ab" --effect "$name" --font "$font" --size 34 --color "$colour" \
    --on "$work/base.png" --at 11,8 -o "$work/$name.png" >/dev/null
  "$lumivex" convert "$work/$name.png" "$work/$name.bmp" >/dev/null
  mv "$work/$name.bmp" "$out.bmp"
  echo "$(basename "$out").bmp  $name"
done
