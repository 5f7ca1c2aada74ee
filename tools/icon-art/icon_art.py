#!/usr/bin/env python3
"""Draws the kit's icon: three flip-book pages, the front one showing a ball in flight with a
fainter copy of it, as the editor's onion skin shows the frame before. The icon is pixel art on
a 16 x 16 grid, so every size is a whole multiple of it and stays as sharp as the canvas.

usage: icon_art.py OUTPUT_DIR
Writes mepu.svg, mepu-48.png, mepu-128.png, mepu-256.png and mepu.ico (16, 32, 48 and 256).
"""
import os
import struct
import sys
import zlib

GRID = 16
CLEAR = (0, 0, 0, 0)
BLACK = (0, 0, 0, 255)
WHITE = (255, 255, 255, 255)
BACK_PAGE = (176, 176, 176, 255)
MIDDLE_PAGE = (216, 216, 216, 255)
GHOST = (150, 150, 150, 255)


def page(cells, x1, y1, x2, y2, fill):
    """A page with a black border; corners inclusive."""
    for y in range(y1, y2 + 1):
        for x in range(x1, x2 + 1):
            edge = x in (x1, x2) or y in (y1, y2)
            cells[y][x] = BLACK if edge else fill


def ball(cells, x, y, colour):
    """A 4 x 4 ball without its corners, left top at x, y."""
    for dy in range(4):
        for dx in range(4):
            if dx not in (0, 3) or dy not in (0, 3):
                cells[y + dy][x + dx] = colour


def draw():
    cells = [[CLEAR] * GRID for _ in range(GRID)]
    page(cells, 4, 0, 15, 11, BACK_PAGE)
    page(cells, 2, 2, 13, 13, MIDDLE_PAGE)
    page(cells, 0, 4, 11, 15, WHITE)
    ball(cells, 2, 10, GHOST)
    ball(cells, 6, 6, BLACK)
    return cells


def scaled_rows(cells, scale):
    return [[cells[y // scale][x // scale] for x in range(GRID * scale)]
            for y in range(GRID * scale)]


def png_bytes(cells, scale):
    def chunk(kind, data):
        return (struct.pack('>I', len(data)) + kind + data +
                struct.pack('>I', zlib.crc32(kind + data) & 0xffffffff))
    size = GRID * scale
    raw = b''.join(b'\0' + bytes(v for pixel in row for v in pixel)
                   for row in scaled_rows(cells, scale))
    return (b'\x89PNG\r\n\x1a\n' +
            chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0)) +
            chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def dib_bytes(cells, scale):
    """An icon image as Windows stores it: BGRA rows bottom up, then the 1-bit AND mask."""
    size = GRID * scale
    rows = scaled_rows(cells, scale)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b''.join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_row_bytes = (size + 31) // 32 * 4
    mask = b''
    for row in reversed(rows):
        bits = bytearray(mask_row_bytes)
        for x, pixel in enumerate(row):
            if pixel[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + colour + mask


def ico_bytes(cells):
    # Small sizes as plain bitmaps, which every Windows reads; 256 as PNG, as Windows stores it.
    images = [(16, dib_bytes(cells, 1)), (32, dib_bytes(cells, 2)), (48, dib_bytes(cells, 3)),
              (256, png_bytes(cells, 16))]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b''.join(data for _, data in images)


def svg_text(cells):
    rects = []
    for y, row in enumerate(cells):
        x = 0
        while x < GRID:
            colour = row[x]
            end = x
            while end < GRID and row[end] == colour:
                end += 1
            if colour[3]:
                rects.append('<rect x="%d" y="%d" width="%d" height="1" fill="#%02x%02x%02x"/>'
                             % (x, y, end - x, *colour[:3]))
            x = end
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" '
            'viewBox="0 0 16 16" shape-rendering="crispEdges">\n' + '\n'.join(rects) + '\n</svg>\n')


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    out = sys.argv[1]
    cells = draw()
    with open(os.path.join(out, 'mepu.svg'), 'w') as f:
        f.write(svg_text(cells))
    for size in (48, 128, 256):
        with open(os.path.join(out, 'mepu-%d.png' % size), 'wb') as f:
            f.write(png_bytes(cells, size // GRID))
    with open(os.path.join(out, 'mepu.ico'), 'wb') as f:
        f.write(ico_bytes(cells))


if __name__ == '__main__':
    main()
