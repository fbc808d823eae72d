#!/usr/bin/env python3
"""Draws the welcome picture (PNG) and the hand cursor of links (.cur).

    welcome_pictures.py PICTURE_PATH CURSOR_PATH
"""
import math
import struct
import sys
import zlib

W, H = 480, 300


def welcome_pixels():
    rows = []
    for y in range(H):
        row = []
        for x in range(W):
            # A calm blue gradient with a white label card and its barcode.
            t = y / H
            r, g, b = int(40 + 40 * t), int(70 + 60 * t), int(140 + 80 * t)
            if 60 <= x < 300 and 50 <= y < 170:
                r = g = b = 255
                if 80 <= x < 280 and 70 <= y < 140:
                    module = (x - 80) // 3
                    if (module * 7 + module // 3) % 5 < 2:
                        r = g = b = 20
                if 60 <= x < 300 and (y == 50 or y == 169) or x in (60, 299):
                    r, g, b = 90, 90, 90
            ring = math.hypot(x - 390, y - 110)
            if 40 <= ring < 46:
                r, g, b = 255, 200, 60
            row.append((r, g, b))
        rows.append(row)
    return rows


def write_png(path, rows):
    raw = b''.join(b'\x00' + bytes(c for px in row for c in px) for row in rows)

    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data) & 0xFFFFFFFF)

    header = struct.pack('>IIBBBBB', len(rows[0]), len(rows), 8, 2, 0, 0, 0)
    with open(path, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) + chunk(b'IDAT', zlib.compress(raw, 9)) +
                chunk(b'IEND', b''))


HAND = [
    "......##........",
    ".....#..#.......",
    ".....#..#.......",
    ".....#..#.......",
    ".....#..###.....",
    ".....#..#..##...",
    "..##.#..#..#.#..",
    ".#..##.....#..#.",
    ".#...#........#.",
    "..#...........#.",
    "...#..........#.",
    "...#.........#..",
    "....#........#..",
    "....#.......#...",
    ".....#......#...",
    ".....########...",
]


def write_cursor(path):
    # 32 x 32, 1 bit: black outline, white inside (XOR 0 / AND 0 = black,
    # XOR 1 / AND 0 = white, AND 1 = transparent). Hot spot at the fingertip.
    size = 32
    inside = set()
    for y, row in enumerate(HAND):
        xs = [x for x, ch in enumerate(row) if ch == '#']
        if xs:
            for x in range(min(xs), max(xs) + 1):
                inside.add((x, y))
    xor_rows, and_rows = [], []
    for y in range(size - 1, -1, -1):
        xor_bits, and_bits = 0, 0
        for x in range(size):
            on = y < 16 and x < 16 and (x, y) in inside
            edge = on and HAND[y][x] == '#'
            bit = 1 << (31 - x)
            if not on:
                and_bits |= bit
            elif not edge:
                xor_bits |= bit
        xor_rows.append(struct.pack('>I', xor_bits))
        and_rows.append(struct.pack('>I', and_bits))
    info = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    image = info + palette + b''.join(xor_rows) + b''.join(and_rows)
    header = struct.pack('<HHH', 0, 2, 1)
    entry = struct.pack('<BBBBHHII', size, size, 2, 0, 6, 0, len(image), 22)
    with open(path, 'wb') as f:
        f.write(header + entry + image)


if __name__ == '__main__':
    write_png(sys.argv[1], welcome_pixels())
    write_cursor(sys.argv[2])
