#!/usr/bin/env python3
"""Turns a canvas dump of mepu-script (76 800 palette indices, top row first) into a PNG, with
the editor's palette: the grey ramp on 10-245, 0 black, 255 white, 252 the preview colour.

usage: canvas_to_png.py DUMP OUT.png [SCALE]
"""
import struct
import sys
import zlib

WIDTH, HEIGHT = 320, 240


def colour(index):
    if 10 <= index <= 245:
        grey = (index - 10) * 71089 >> 16
        return (grey, grey, grey)
    if index == 255:
        return (255, 255, 255)
    if index == 252:
        return (255, 0, 0)
    return (0, 0, 0)


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def main():
    if len(sys.argv) not in (3, 4):
        sys.exit(__doc__)
    scale = int(sys.argv[3]) if len(sys.argv) == 4 else 1
    pixels = open(sys.argv[1], "rb").read()
    if len(pixels) != WIDTH * HEIGHT:
        sys.exit(f"{sys.argv[1]}: {len(pixels)} bytes, not a canvas dump")
    rows = bytearray()
    for y in range(HEIGHT):
        row = bytearray()
        for x in range(WIDTH):
            row += bytes(colour(pixels[y * WIDTH + x])) * scale
        rows += (b"\0" + bytes(row)) * scale
    header = struct.pack(">IIBBBBB", WIDTH * scale, HEIGHT * scale, 8, 2, 0, 0, 0)
    with open(sys.argv[2], "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                  chunk(b"IDAT", zlib.compress(bytes(rows))) + chunk(b"IEND", b""))


if __name__ == "__main__":
    main()
