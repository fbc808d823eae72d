#!/usr/bin/env python3
"""Writes the small icon and cursor files the resource tests compile in.

test.ico: a 16x16 32-bit image (opaque red square on transparent, alpha used)
          and a 32x32 4-bit image (blue left half, green right half, a
          transparent top-left 8x8 corner in its mask).
test.cur: a 32x32 1-bit arrow-like cursor with its hot spot at (3, 5).
"""
import struct


def dib(width, height, bits, palette, rows, mask_rows):
    """A DIB of twice the height: colour rows then mask rows, bottom-up."""
    header = struct.pack('<IiiHHIIiiII', 40, width, height * 2, 1, bits, 0, 0, 0, 0, len(palette), 0)
    pal = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in palette)
    def pack_rows(rows, bits):
        out = b''
        stride = ((width * bits + 31) // 32) * 4
        for row in reversed(rows):
            bitstr = 0
            data = bytearray()
            if bits >= 8:
                for v in row:
                    data += v.to_bytes(bits // 8, 'little')
            else:
                acc, n = 0, 0
                for v in row:
                    acc = (acc << bits) | v
                    n += bits
                    if n == 8:
                        data.append(acc)
                        acc, n = 0, 0
                if n:
                    data.append(acc << (8 - n))
            data += b'\0' * (stride - len(data))
            out += bytes(data)
        return out
    return header + pal + pack_rows(rows, bits) + pack_rows(mask_rows, 1)


def icon16():
    rows, mask = [], []
    for y in range(16):
        inside = [4 <= x < 12 and 4 <= y < 12 for x in range(16)]
        rows.append([(0xFFFF0000 if i else 0) for i in inside])  # 0xAARRGGBB: opaque red
        mask.append([0 if i else 1 for i in inside])
    return dib(16, 16, 32, [], rows, mask)


def icon32():
    palette = [(0, 0, 0)] * 16
    palette[1] = (0, 0, 255)
    palette[2] = (0, 255, 0)
    rows = [[1 if x < 16 else 2 for x in range(32)] for y in range(32)]
    mask = [[1 if (x < 8 and y < 8) else 0 for x in range(32)] for y in range(32)]
    return dib(32, 32, 4, palette, rows, mask)


def cursor32():
    palette = [(0, 0, 0), (255, 255, 255)]
    rows = [[1 if x <= y and y < 16 else 0 for x in range(32)] for y in range(32)]
    mask = [[0 if x <= y and y < 16 else 1 for x in range(32)] for y in range(32)]
    return dib(32, 32, 1, palette, rows, mask)


def write(name, kind, images):
    """images: (width, height, colours, a, b, data); a/b are planes/bits or the hot spot."""
    out = struct.pack('<HHH', 0, kind, len(images))
    offset = 6 + 16 * len(images)
    for (w, h, colours, a, b, data) in images:
        out += struct.pack('<BBBBHHII', w % 256, h % 256, colours, 0, a, b, len(data), offset)
        offset += len(data)
    for image in images:
        out += image[5]
    open(name, 'wb').write(out)


write('test.ico', 1, [(16, 16, 0, 1, 32, icon16()), (32, 32, 16, 1, 4, icon32())])
write('test.cur', 2, [(32, 32, 2, 3, 5, cursor32())])


def bitmap():
    """test.bmp: 4 x 2, 24 bits, top row red green blue white, bottom row black."""
    rows = [[(255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 255)], [(0, 0, 0)] * 4]
    pixels = b''
    for row in reversed(rows):
        data = b''.join(bytes((b, g, r)) for (r, g, b) in row)
        pixels += data + b'\0' * ((4 - len(data) % 4) % 4)
    info = struct.pack('<IiiHHIIiiII', 40, 4, 2, 1, 24, 0, len(pixels), 0, 0, 0, 0)
    header = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    open('test.bmp', 'wb').write(header + info + pixels)


bitmap()
