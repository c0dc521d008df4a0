#!/usr/bin/env python3
"""Writes the seed corpus of the audio fuzz target into corpus/ beside this
script: small WAV (PCM, ADPCM, a-law, display and INFO chunks), RMI, MIDI
and VOC files covering every block, chunk and event kind the module reads.
The files are built byte by byte, so every run writes the same corpus."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "corpus")


def chunk(cid, data):
    pad = b"\0" if len(data) % 2 else b""
    return cid + struct.pack("<I", len(data)) + data + pad


def form(cid, ftype, chunks):
    body = ftype + b"".join(chunks)
    return cid + struct.pack("<I", len(body)) + body


def fmt(tag, channels, rate, align, bits, extra=b""):
    data = struct.pack("<HHIIHH", tag, channels, rate, rate * align, align, bits)
    if extra:
        data += struct.pack("<H", len(extra)) + extra
    return chunk(b"fmt ", data)


def small_dib():
    rows = b"\x12\x34\x00\x00" * 2
    header = struct.pack("<IiiHHIIiiII", 40, 4, 2, 1, 4, 0, len(rows), 0, 0, 16, 0)
    return header + bytes(64) + rows


ADPCM_COEFS = [(256, 0), (512, -256), (0, 0), (192, 64), (240, 0), (460, -208), (392, -232)]


def adpcm_extra(per_block):
    data = struct.pack("<HH", per_block, 7)
    for a, b in ADPCM_COEFS:
        data += struct.pack("<hh", a, b)
    return data


def voc(blocks, version=0x010A):
    head = b"Creative Voice File\x1a" + struct.pack("<HHH", 26, version, (0x1233 - version) & 0xFFFF)
    body = b""
    for btype, data in blocks:
        body += bytes([btype]) + struct.pack("<I", len(data))[:3] + data
    return head + body + b"\0"


def varlen(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.insert(0, (value & 0x7F) | 0x80)
        value >>= 7
    return bytes(out)


def track(events):
    data = b"".join(varlen(delta) + ev for delta, ev in events) + b"\0\xff\x2f\x00"
    return b"MTrk" + struct.pack(">I", len(data)) + data


def tempo(us):
    return b"\xff\x51\x03" + us.to_bytes(3, "big")


def smf(fmt_type, division, tracks):
    return b"MThd" + struct.pack(">IHHH", 6, fmt_type, len(tracks), division & 0xFFFF) + b"".join(tracks)


def seeds():
    pcm = bytes(range(64))
    yield "pcm16_stereo.wav", form(b"RIFF", b"WAVE", [fmt(1, 2, 44100, 4, 16), chunk(b"data", pcm)])
    yield "pcm8_mono.wav", form(b"RIFF", b"WAVE", [fmt(1, 1, 8000, 1, 8), chunk(b"data", pcm[:33])])
    yield "adpcm.wav", form(b"RIFF", b"WAVE", [
        fmt(2, 1, 22050, 256, 4, adpcm_extra(500)), chunk(b"fact", struct.pack("<I", 1000)),
        chunk(b"data", bytes(512))])
    yield "alaw_nofact.wav", form(b"RIFF", b"WAVE", [fmt(6, 2, 8000, 2, 8), chunk(b"data", pcm)])
    info = form(b"LIST", b"INFO", [chunk(b"ISBJ", b"Betreff\0"), chunk(b"INAM", b"Name\0")])
    yield "extras.wav", form(b"RIFF", b"WAVE", [
        chunk(b"DISP", struct.pack("<I", 1) + b"Anzeige\0"),
        chunk(b"DISP", struct.pack("<I", 8) + small_dib()), info,
        chunk(b"data", pcm), fmt(1, 1, 11025, 2, 16)])
    yield "truncated.wav", form(b"RIFF", b"WAVE", [fmt(1, 2, 44100, 4, 16), chunk(b"data", pcm)])[:50]
    midi0 = smf(0, 96, [track([(0, tempo(500000)), (0, b"\x90\x3c\x40"), (96, b"\x3c\x00"),
                               (0, tempo(250000)), (192, b"\x80\x3c\x00"),
                               (0, b"\xf0\x03\x01\x02\xf7")])])
    yield "format0.mid", midi0
    midi1 = smf(1, 480, [track([(0, tempo(600000)), (960, tempo(400000))]),
                         track([(0, b"\xc0\x05"), (0, b"\x90\x40\x50"), (1920, b"\x40\x00")])])
    yield "format1.mid", midi1
    yield "smpte.mid", smf(0, (-25 << 8) | 40, [track([(0, b"\x90\x3c\x40"), (1000, b"\x80\x3c\x00")])])
    yield "running_no_status.mid", smf(0, 96, [track([(0, b"\x3c\x40")])])
    yield "song.rmi", form(b"RIFF", b"RMID", [chunk(b"data", midi0),
                                              chunk(b"DISP", struct.pack("<I", 1) + b"Lied\0"),
                                              form(b"LIST", b"INFO", [chunk(b"ISBJ", b"Musik\0")])])
    yield "sound8.voc", voc([(1, bytes([131, 0]) + bytes(40))])
    yield "blocks.voc", voc([(5, b"Text\0"), (6, struct.pack("<H", 2)), (1, bytes([156, 0]) + bytes(8)),
                             (7, b""), (2, bytes(8)), (3, struct.pack("<HB", 20, 156)), (4, b"\1\0"),
                             (8, struct.pack("<HBB", 65536 - 256, 0, 1)), (1, bytes([0, 0]) + bytes(8))])
    yield "new16.voc", voc([(9, struct.pack("<IBBHI", 22050, 16, 2, 4, 0) + bytes(16))], 0x0114)
    yield "unknown_block.voc", voc([(11, b"\0\0")])


def main():
    os.makedirs(OUT, exist_ok=True)
    for name, data in seeds():
        with open(os.path.join(OUT, name), "wb") as out:
            out.write(data)


if __name__ == "__main__":
    main()
