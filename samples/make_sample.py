#!/usr/bin/env python3
"""Draws the bundled sample image (samples/sample.png): a small evening
landscape of gradients and shapes, made here so its rights are ours."""
import math, struct, zlib, sys

W, H = 640, 480

def pixel(x, y):
    horizon = 300 + int(18 * math.sin(x / 57.0) + 9 * math.sin(x / 13.0))
    if y < horizon:
        t = y / horizon
        r, g, b = int(40 + 200 * t), int(60 + 110 * t), int(140 - 40 * t)
        dx, dy = x - 470, y - 210
        d = math.hypot(dx, dy)
        if d < 55:
            r, g, b = 255, 214, 120
        elif d < 90:
            k = (90 - d) / 35
            r, g, b = int(r + (255 - r) * k * 0.6), int(g + (200 - g) * k * 0.6), int(b + (120 - b) * k * 0.6)
    else:
        t = (y - horizon) / (H - horizon + 1)
        r, g, b = int(30 + 40 * t), int(90 + 60 * t), int(40 + 20 * t)
        if (x // 40 + y // 30) % 2 == 0:
            g = min(255, g + 12)
    return bytes((r & 255, g & 255, b & 255))

def chunk(tag, data):
    c = struct.pack(">I", len(data)) + tag + data
    return c + struct.pack(">I", zlib.crc32(tag + data) & 0xffffffff)

rows = b"".join(b"\0" + b"".join(pixel(x, y) for x in range(W)) for y in range(H))
png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", W, H, 8, 2, 0, 0, 0))
png += chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b"")
out = sys.argv[1] if len(sys.argv) > 1 else "samples/sample.png"
open(out, "wb").write(png)
