#!/usr/bin/env python3
"""Writes the seed corpus of the TPI fuzz target into corpus/ beside this
script: small valid files of every bit count and header form, and broken
ones (cut, wrong signature or layout tag, sizes past every limit, offsets
past the end). The files are built byte by byte, so every run writes the
same corpus."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "corpus")


def stride(bits, width):
    return ((bits * width + 7) // 8 + 3) & ~3


def tpi(bits, width, height, table=(), tag=0, short=False, ppm=2835, rows=None,
        offset=None):
    entry = 3 if short else 4
    header_end = 26 if short else 54
    pixel_offset = header_end + entry * len(table) if offset is None else offset
    s = stride(bits, width)
    if rows is None:
        rows = [bytes((x * 7 + y * 13) & 0xFF for x in range(s)) for y in range(height)]
    pixels = b"".join(r[:s].ljust(s, b"\0") for r in rows)
    if short:
        info = struct.pack("<IHHHH", 12, width, height, 1, bits)
    else:
        info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, tag, s * height, ppm,
                           ppm, 0, 0)
    tab = b"".join(bytes((b, g, r)) + (b"" if short else b"\0") for (r, g, b) in table)
    size = header_end + len(tab) + len(pixels)
    head = b"TA" + struct.pack("<IHHH", size, 0, 0, pixel_offset) + b"\0\0"
    return head + info + tab + pixels


def grey():
    return [(i, i, i) for i in range(256)]


def colours(n):
    return [((i * 37) & 0xFF, (i * 91) & 0xFF, (255 - i) & 0xFF) for i in range(n)]


SEEDS = {
    "bw.tpi": tpi(1, 13, 5, [(0, 0, 0), (255, 255, 255)]),
    "bw_inverted.tpi": tpi(1, 9, 3, [(255, 255, 255), (0, 0, 0)]),
    "sixteen.tpi": tpi(4, 7, 4, colours(16)),
    "sixteen_short.tpi": tpi(4, 5, 3, colours(16), short=True),
    "indexed.tpi": tpi(8, 6, 4, colours(256)),
    "grey.tpi": tpi(8, 5, 5, grey()),
    "hi555.tpi": tpi(16, 4, 3),
    "hi565.tpi": tpi(16, 3, 3, tag=0x35363552),
    "true24.tpi": tpi(24, 5, 4, ppm=0),
    "true24_short.tpi": tpi(24, 3, 2, short=True),
    "true32.tpi": tpi(32, 4, 4),
    "one_pixel.tpi": tpi(24, 1, 1),
    "cut_rows.tpi": tpi(24, 8, 8)[:120],
    "cut_table.tpi": tpi(8, 4, 2, colours(256))[:300],
    "signature.tpi": b"BM" + tpi(24, 2, 2)[2:],
    "layout_tag.tpi": tpi(24, 2, 2, tag=7),
    "bits_seven.tpi": tpi(24, 2, 2)[:28] + b"\x07\0" + tpi(24, 2, 2)[30:],
    "huge_size.tpi": tpi(24, 1, 1)[:18] + struct.pack("<ii", 1000000, 1000000) + tpi(24, 1, 1)[26:],
    "negative_height.tpi": tpi(24, 1, 1)[:18] + struct.pack("<ii", 3, -3) + tpi(24, 1, 1)[26:],
    "offset_past_end.tpi": tpi(24, 2, 2, offset=0xFFF0),
    "offset_in_header.tpi": tpi(8, 3, 3, colours(256), offset=2),
    "twenty_seven.tpi": tpi(24, 1, 1, short=True)[:27],
    "twenty_six.tpi": tpi(24, 1, 1)[:26],
}


def main():
    os.makedirs(OUT, exist_ok=True)
    for name, data in sorted(SEEDS.items()):
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
