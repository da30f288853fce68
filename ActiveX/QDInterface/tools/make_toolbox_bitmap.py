#!/usr/bin/env python3
"""Writes QuendarToolbox.bmp, the control's 16 x 16 toolbox picture
(resource BITMAP 1 of the module): a framed white box with a small rising
series of points joined by a line.

Usage: make_toolbox_bitmap.py OUTPUT.bmp
"""
import struct
import sys

SIZE = 16
WHITE = (255, 255, 255)
GREY = (192, 192, 192)   # the toolbox's usual transparent colour
BLACK = (0, 0, 0)
BLUE = (0, 0, 160)

# Points of the little series, (x, y) from the top left.
SERIES = [(3, 11), (5, 9), (7, 10), (9, 7), (11, 6), (12, 4)]


def line(pixels, a, b, colour):
    """Bresenham line from a to b, both ends included."""
    (x0, y0), (x1, y1) = a, b
    dx, dy = abs(x1 - x0), -abs(y1 - y0)
    sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
    err = dx + dy
    while True:
        pixels[y0][x0] = colour
        if (x0, y0) == (x1, y1):
            return
        e2 = 2 * err
        if e2 >= dy:
            err += dy
            x0 += sx
        if e2 <= dx:
            err += dx
            y0 += sy


def picture():
    pixels = [[GREY] * SIZE for _ in range(SIZE)]
    for y in range(1, 15):
        for x in range(1, 15):
            on_frame = x in (1, 14) or y in (1, 14)
            pixels[y][x] = BLACK if on_frame else WHITE
    for a, b in zip(SERIES, SERIES[1:]):
        line(pixels, a, b, BLUE)
    return pixels


def bmp(pixels):
    row_bytes = (SIZE * 3 + 3) // 4 * 4
    image = bytearray()
    for row in reversed(pixels):  # bottom-up
        data = b''.join(bytes((b, g, r)) for (r, g, b) in row)
        image += data + b'\0' * (row_bytes - len(data))
    info = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE, 1, 24, 0, len(image), 2835, 2835, 0, 0)
    header = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(image), 0, 0, 14 + len(info))
    return header + info + bytes(image)


if __name__ == '__main__':
    with open(sys.argv[1], 'wb') as out:
        out.write(bmp(picture()))
