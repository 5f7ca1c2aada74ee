#!/usr/bin/env python3
"""Writes a four-frame animation for the saver's screen tests: frame k (1..4) has its top k * 40
rows black, every frame has a black block at the bottom left (x < 160, y > 200), white elsewhere."""
import struct
import sys


def frame(black_rows):
    pixels = [0 if (y < black_rows or (x < 160 and y > 200)) else 1
              for y in range(240) for x in range(320)]
    tokens = []
    i = 0
    while i < len(pixels):
        value = pixels[i]
        n = 1
        while i + n < len(pixels) and pixels[i + n] == value and n < 128:
            n += 1
        tokens.append(n - 1 if value == 0 else 127 + n)
        i += n
    return struct.pack('<i', len(tokens)) + bytes(tokens)


frames = [frame(k * 40) for k in range(1, 5)]
speed = int(sys.argv[2]) if len(sys.argv) > 2 else 4
with open(sys.argv[1], 'wb') as out:
    out.write(struct.pack('<6i', 24, 320, 240, len(frames), speed, 0) + b''.join(frames))
