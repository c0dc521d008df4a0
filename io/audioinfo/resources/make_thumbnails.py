#!/usr/bin/env python3
"""Draws the module's three built-in 48 x 48 thumbnails as 4-bit bitmap files.

Run from anywhere; writes thumb_wave.bmp (a waveform), thumb_midi.bmp (a
keyboard under a note) and thumb_voc.bmp (a speaker) beside this script. The
drawing is plain integer arithmetic, so the files come out byte for byte the
same on every run.
"""
import math
import os
import struct

SIZE = 48

# The sixteen standard colours (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_BLUE, LIGHT_GREY, GREY, GREEN, BLUE, YELLOW, WHITE = 0, 4, 7, 8, 10, 12, 11, 15
DARK_GREEN = 2


def canvas(colour):
    return [[colour] * SIZE for _ in range(SIZE)]


def rect(pixels, x0, y0, x1, y1, colour):
    """Fills the rectangle x0..x1, y0..y1 (inclusive), rows counted from the top."""
    for y in range(max(0, y0), min(SIZE, y1 + 1)):
        for x in range(max(0, x0), min(SIZE, x1 + 1)):
            pixels[y][x] = colour


def frame(pixels, colour):
    for i in range(SIZE):
        pixels[0][i] = pixels[SIZE - 1][i] = pixels[i][0] = pixels[i][SIZE - 1] = colour


def line(pixels, x0, y0, x1, y1, colour):
    steps = max(abs(x1 - x0), abs(y1 - y0), 1)
    for s in range(steps + 1):
        x = x0 + (x1 - x0) * s // steps
        y = y0 + (y1 - y0) * s // steps
        if 0 <= x < SIZE and 0 <= y < SIZE:
            pixels[y][x] = colour


def draw_wave():
    pixels = canvas(BLACK)
    rect(pixels, 2, 2, SIZE - 3, SIZE - 3, DARK_BLUE)
    for x in range(3, SIZE - 3, 4):
        pixels[SIZE // 2][x] = GREY
    previous = None
    for x in range(3, SIZE - 3):
        # A decaying tone: amplitude falls off to the right.
        amplitude = 18 * (SIZE - x) // SIZE + 3
        y = SIZE // 2 - int(round(amplitude * math.sin(x * 0.55)))
        if previous is not None:
            line(pixels, x - 1, previous, x, y, GREEN)
        previous = y
    frame(pixels, LIGHT_GREY)
    return pixels


def draw_midi():
    pixels = canvas(LIGHT_GREY)
    # Keyboard: seven white keys with black keys between, bottom half.
    top, bottom = 26, 44
    rect(pixels, 3, top, 44, bottom, WHITE)
    for k in range(8):
        line(pixels, 3 + k * 6, top, 3 + k * 6, bottom, BLACK)
    line(pixels, 3, top, 45, top, BLACK)
    line(pixels, 3, bottom, 45, bottom, BLACK)
    for k in (0, 1, 3, 4, 5):
        x = 3 + k * 6 + 4
        rect(pixels, x, top, x + 3, top + 10, BLACK)
    # An eighth note above the keys.
    rect(pixels, 16, 17, 21, 21, DARK_BLUE)
    rect(pixels, 17, 16, 20, 22, DARK_BLUE)
    rect(pixels, 21, 4, 22, 19, DARK_BLUE)
    for i in range(6):
        rect(pixels, 23 + i, 5 + i, 23 + i, 6 + i, DARK_BLUE)
    frame(pixels, GREY)
    return pixels


def draw_speaker():
    pixels = canvas(WHITE)
    # Magnet and cone.
    rect(pixels, 6, 18, 13, 29, GREY)
    for i in range(12):
        rect(pixels, 14 + i, 18 - i, 14 + i, 29 + i, DARK_BLUE)
    # Sound arcs.
    cx, cy = 26, 24
    for radius in (8, 13, 18):
        for a in range(-45, 46, 3):
            x = cx + int(round(radius * math.cos(math.radians(a))))
            y = cy + int(round(radius * math.sin(math.radians(a))))
            rect(pixels, x, y, x + 1, y, DARK_GREEN)
    frame(pixels, GREY)
    return pixels


def bitmap_file(pixels):
    """A complete bitmap file: file header, information header, palette, rows bottom-up."""
    row_bytes = (SIZE * 4 + 31) // 32 * 4
    rows = b""
    for y in range(SIZE - 1, -1, -1):
        row = bytearray(row_bytes)
        for x in range(SIZE):
            if x % 2 == 0:
                row[x // 2] = pixels[y][x] << 4
            else:
                row[x // 2] |= pixels[y][x]
        rows += bytes(row)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 4, 0, len(rows), 2835, 2835, 16, 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    return header + info + palette + rows


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for name, draw in (("thumb_wave.bmp", draw_wave), ("thumb_midi.bmp", draw_midi),
                       ("thumb_voc.bmp", draw_speaker)):
        with open(os.path.join(here, name), "wb") as out:
            out.write(bitmap_file(draw()))


if __name__ == "__main__":
    main()
