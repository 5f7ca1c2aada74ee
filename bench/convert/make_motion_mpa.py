#!/usr/bin/env python3
"""Writes an animation in which something moves in every frame: a ground line, a box sliding
along it and a ball bouncing over it, on paper.
Usage: make_motion_mpa.py OUT.mpa FRAMES SPEED"""
import struct
import sys


def ink_spans(k, y):
    """The black spans [x0, x1) of row y in frame k."""
    spans = []
    if 200 <= y < 203:
        spans.append((0, 320))
    box_left = (10 + 3 * k) % 260
    if 140 <= y < 200:
        spans.append((box_left, box_left + 40))
    ball_x = 20 + (5 * k) % 280
    ball_y = 60 + abs(k % 40 - 20) * 6
    dy = y - ball_y
    if dy * dy <= 144:
        half = int((144 - dy * dy) ** 0.5)
        spans.append((ball_x - half, ball_x + half + 1))
    return sorted(spans)


def runs(length, ink):
    tokens = []
    while length > 0:
        n = min(length, 128)
        tokens.append(n - 1 if ink else 127 + n)
        length -= n
    return tokens


def frame(k):
    # Runs may continue from one row into the next, so the picture is walked as one line.
    tokens = []
    paper = 0
    for y in range(240):
        x = 0
        for x0, x1 in ink_spans(k, y):
            x0 = max(x0, x)
            if x1 <= x0:
                continue
            paper += x0 - x
            tokens += runs(paper, False)
            paper = 0
            tokens += runs(x1 - x0, True)
            x = x1
        paper += 320 - x
    tokens += runs(paper, False)
    return struct.pack('<i', len(tokens)) + bytes(tokens)


frames = int(sys.argv[2])
with open(sys.argv[1], 'wb') as out:
    out.write(struct.pack('<6i', 24, 320, 240, frames, int(sys.argv[3]), 0))
    for k in range(frames):
        out.write(frame(k))
