#!/usr/bin/env python3
"""Draws the text-effects module's bitmaps, byte for byte the same on every run.

  hole.bmp      the "Loch" shape (bitmap 124): a round punch with a soft rim
  texture.bmp   the "Relief-Textur" and bump-map texture (bitmap 125):
                rounded cobbles between narrow joints

The fourteen 80 x 50 effect thumbnails (bitmaps 110..123, thumbNN.bmp) are
made by the effects themselves: see make_thumbnails.sh.

Run it from anywhere: python3 make_bitmaps.py [output folder]; by default
the files are written beside this script.
"""
import math
import os
import struct
import sys


def write_bmp(path, width, height, pixel):
    """24-bit bottom-up BMP; pixel(x, y) gives (r, g, b) with y = 0 at the top."""
    row_bytes = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += bytes(row_bytes - len(row))
        data += row
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    header = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(data), 0, 0, 14 + len(info))
    with open(path + '.tmp', 'wb') as out:
        out.write(header + info + data)
    os.replace(path + '.tmp', path)


def clamp(v):
    return max(0, min(255, int(round(v))))


def grey(v):
    v = clamp(v)
    return (v, v, v)


def hole_shape(x, y, size=64):
    """White disc with a two-pixel soft rim on black: punched holes that tile."""
    c = (size - 1) / 2.0
    d = math.hypot(x - c, y - c)
    radius = size * 0.36
    return grey(255 * min(1.0, max(0.0, (radius - d) / 2.0 + 0.5)))


class Lcg:
    """The linear congruential sequence the module itself uses (seeded)."""

    def __init__(self, seed):
        self.state = seed

    def next(self):
        self.state = (self.state * 214013 + 2531011) & 0xFFFFFFFF
        return (self.state >> 16) & 0x7FFF


def texture_function(size=128, cells=6):
    """Rounded cobbles: distance to the nearest of a jittered grid of centres."""
    rng = Lcg(1)
    step = size / cells
    centres = []
    for j in range(cells):
        for i in range(cells):
            jx = (rng.next() / 32767.0 - 0.5) * step * 0.6
            jy = (rng.next() / 32767.0 - 0.5) * step * 0.6
            centres.append(((i + 0.5) * step + jx, (j + 0.5) * step + jy))

    def pixel(x, y):
        best, second = 1e9, 1e9
        for cx, cy in centres:
            for ox in (-size, 0, size):
                for oy in (-size, 0, size):
                    d = math.hypot(x - cx - ox, y - cy - oy)
                    if d < best:
                        best, second = d, best
                    elif d < second:
                        second = d
        edge = second - best          # 0 on a joint, grows towards a centre
        height = min(1.0, edge / (step * 0.8))
        dome = math.sin(height * math.pi / 2)
        return grey(40 + 200 * dome)

    return pixel


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    write_bmp(os.path.join(folder, 'hole.bmp'), 64, 64, hole_shape)
    write_bmp(os.path.join(folder, 'texture.bmp'), 128, 128, texture_function())


if __name__ == '__main__':
    main()
