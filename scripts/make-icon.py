#!/usr/bin/env python3
"""Writes app/voranel.ico: one 32x32 32-bit image of Voranel's own artwork.

A grey drive with a green lamp, and a blue arrow over it that carries a letter
from one side to the other. The .ico bytes are written directly (no imaging
library): ICONDIR, one ICONDIRENTRY, then a BITMAPINFOHEADER, BGRA pixels
bottom-up, and a 1-bit AND mask.
"""
import pathlib
import struct

SIZE = 32
CLEAR = (0, 0, 0, 0)


def pixel_art():
    px = [[CLEAR] * SIZE for _ in range(SIZE)]

    def put(x, y, rgba):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            px[y][x] = rgba

    def rect(x0, y0, x1, y1, rgba):
        for y in range(y0, y1):
            for x in range(x0, x1):
                put(x, y, rgba)

    # The drive: a dark outline, a light face and a darker front strip.
    rect(3, 16, 29, 29, (60, 60, 60, 255))
    rect(4, 17, 28, 24, (200, 200, 205, 255))
    rect(4, 24, 28, 28, (150, 150, 158, 255))
    rect(22, 25, 26, 27, (40, 200, 60, 255))  # the lamp
    for x in range(6, 18, 3):  # vents on the front strip
        rect(x, 25, x + 2, 27, (110, 110, 118, 255))

    # The arrow: an arc from left to right, ending in a head pointing down.
    blue = (30, 90, 210, 255)
    for x in range(7, 23):
        t = (x - 15) / 8.0
        y = int(round(4 + 6 * t * t))
        rect(x, y, x + 1, y + 3, blue)
    for i in range(6):  # head at the right end, pointing down onto the drive
        rect(19 + i, 9 + i, 31 - i, 10 + i, blue)
    return px


def ico_bytes(px):
    xor = bytearray()
    for row in reversed(px):  # bottom-up
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
    mask_row = (SIZE + 31) // 32 * 4
    mask = bytearray()
    for row in reversed(px):
        bits = bytearray(mask_row)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = header + xor + mask
    icondir = struct.pack('<HHH', 0, 1, 1)
    entry = struct.pack('<BBBBHHII', SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    return icondir + entry + image


def main():
    out = pathlib.Path(__file__).resolve().parent.parent / 'app' / 'voranel.ico'
    out.write_bytes(ico_bytes(pixel_art()))
    print(out)


if __name__ == '__main__':
    main()
