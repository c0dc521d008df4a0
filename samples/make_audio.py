#!/usr/bin/env python3
"""Writes the bundled audio samples, made here so their rights are ours:
samples/chime.wav (a two-second 16-bit stereo chime at 22050 Hz with a
display title and a subject in the RIFF extras) and samples/tune.mid (a
short two-track Standard MIDI File whose tempo changes half-way)."""
import math, struct, sys, os

here = os.path.dirname(os.path.abspath(__file__))

def chunk(fourcc, data):
    pad = b"\0" if len(data) % 2 else b""
    return fourcc + struct.pack("<I", len(data)) + data + pad

def chime_wav():
    rate, seconds = 22050, 2
    frames = []
    for i in range(rate * seconds):
        t = i / rate
        env = math.exp(-2.5 * t)
        left = env * (0.5 * math.sin(2 * math.pi * 880 * t) + 0.25 * math.sin(2 * math.pi * 1320 * t))
        right = env * (0.5 * math.sin(2 * math.pi * 660 * t) + 0.25 * math.sin(2 * math.pi * 990 * t))
        frames.append(struct.pack("<hh", int(left * 30000), int(right * 30000)))
    fmt = struct.pack("<HHIIHH", 1, 2, rate, rate * 4, 4, 16)
    disp = struct.pack("<I", 1) + b"Abendglocke\0"           # CF_TEXT display title
    info = b"INFO" + chunk(b"ISBJ", b"Ein kurzer Glockenklang\0")
    body = b"WAVE" + chunk(b"fmt ", fmt) + chunk(b"DISP", disp) + chunk(b"LIST", info) \
        + chunk(b"data", b"".join(frames))
    return chunk(b"RIFF", body)

def varlen(n):
    out = [n & 0x7F]
    n >>= 7
    while n:
        out.insert(0, 0x80 | (n & 0x7F))
        n >>= 7
    return bytes(out)

def track(events):
    data = b"".join(varlen(delta) + ev for delta, ev in events) + b"\0\xff\x2f\0"
    return b"MTrk" + struct.pack(">I", len(data)) + data

def tune_mid():
    division = 480
    tempo = [(0, b"\xff\x51\x03" + (500000).to_bytes(3, "big")),        # 120 beats per minute
             (division * 8, b"\xff\x51\x03" + (750000).to_bytes(3, "big"))]  # 80 from bar 3
    notes = []
    melody = [60, 62, 64, 65, 67, 69, 71, 72, 72, 71, 69, 67, 65, 64, 62, 60]
    for n in melody:
        notes.append((0, bytes([0x90, n, 100])))
        notes.append((division, bytes([n, 0])))              # running status, velocity 0
    header = b"MThd" + struct.pack(">IHHH", 6, 1, 2, division)
    return header + track(tempo) + track(notes)

def main():
    with open(os.path.join(here, "chime.wav"), "wb") as f:
        f.write(chime_wav())
    with open(os.path.join(here, "tune.mid"), "wb") as f:
        f.write(tune_mid())

if __name__ == "__main__":
    sys.exit(main())
