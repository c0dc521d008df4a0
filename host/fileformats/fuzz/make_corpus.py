#!/usr/bin/env python3
"""Writes the seed files of the BMP fuzz target into corpus/bmp."""
import os
import struct

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus", "bmp")


def bmp(width, height, bits, pixels, table=b"", compression=0, header=40, masks=b"", colors=0):
    if header == 12:
        info = struct.pack("<IHHHH", 12, width, height, 1, bits)
    else:
        info = struct.pack("<IiiHHIIiiII", header, width, height, 1, bits, compression, len(pixels),
                           2835, 2835, colors, 0)
        info += masks if header > 40 else b""
        info = info.ljust(header, b"\0")
        if header == 40:
            info += masks
    offset = 14 + len(info) + len(table)
    return b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + info + table + pixels


def grey():
    return b"".join(bytes((i, i, i, 0)) for i in range(256))


SEEDS = {
    "rgb24.bmp": bmp(3, 2, 24, bytes(range(9)) + b"\0\0\0" + bytes(range(9, 18)) + b"\0\0\0"),
    "topdown.bmp": bmp(2, -2, 24, bytes(range(16))),
    "rgb32.bmp": bmp(2, 1, 32, bytes(range(8))),
    "hicolor.bmp": bmp(2, 1, 16, bytes((0x1F, 0x7C, 0xE0, 0x03))),
    "bitfields565.bmp": bmp(2, 1, 16, bytes((0xE0, 0xFF, 0x1F, 0))),
    "grey.bmp": bmp(4, 1, 8, bytes((0, 64, 128, 255)), grey()),
    "nibbles.bmp": bmp(3, 1, 4, bytes((0x12, 0x30, 0, 0)), grey()[:64], colors=16),
    "core1bit.bmp": bmp(9, 1, 1, bytes((0xAA, 0x80, 0, 0)), bytes((255, 255, 255, 0, 0, 0)), header=12),
    "rle8.bmp": bmp(4, 3, 8, bytes((4, 5, 0, 0, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 2, 0, 1, 7, 0, 1)), grey(), 1),
    "rle4.bmp": bmp(5, 1, 4, bytes((2, 0x12, 0, 3, 0x34, 0x50, 0, 1)), grey()[:64], 2, colors=16),
    "v5header.bmp": bmp(1, 1, 24, bytes((1, 2, 3, 0)), header=124),
    "cut.bmp": bmp(3, 2, 24, bytes(range(9)))[:40],
}
# Bitfields in a 40-byte header: masks after the header.
SEEDS["bitfields565.bmp"] = bmp(2, 1, 16, bytes((0xE0, 0xFF, 0x1F, 0)), compression=3,
                                masks=struct.pack("<III", 0xF800, 0x07E0, 0x001F))

os.makedirs(HERE, exist_ok=True)
for name, data in SEEDS.items():
    with open(os.path.join(HERE, name), "wb") as out:
        out.write(data)
