#!/usr/bin/env python3
"""Draws the main frame's tool-bar pictures and writes them as 24-bit BMP
strips (one picture after another), plus the menus' check mark.

    toolbar_bitmaps.py OUTPUT_FOLDER
"""
import struct
import sys

FACE = (192, 192, 192)
INK = (0, 0, 0)
BLUE = (0, 0, 160)
RED = (176, 0, 0)
GREEN = (0, 128, 0)
WHITE = (255, 255, 255)
GREY = (128, 128, 128)


class Canvas:
    def __init__(self, w, h):
        self.w, self.h = w, h
        self.px = [[FACE] * w for _ in range(h)]

    def dot(self, x, y, c=INK):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def line(self, x0, y0, x1, y1, c=INK):
        n = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(n + 1):
            self.dot(round(x0 + (x1 - x0) * i / n), round(y0 + (y1 - y0) * i / n), c)

    def rect(self, x0, y0, x1, y1, c=INK, fill=None):
        if fill:
            for y in range(y0, y1 + 1):
                for x in range(x0, x1 + 1):
                    self.dot(x, y, fill)
        self.line(x0, y0, x1, y0, c)
        self.line(x0, y1, x1, y1, c)
        self.line(x0, y0, x0, y1, c)
        self.line(x1, y0, x1, y1, c)

    def ellipse(self, x0, y0, x1, y1, c=INK):
        cx, cy, rx, ry = (x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2, (y1 - y0) / 2
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                d = ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2
                if 0.7 <= d <= 1.15:
                    self.dot(x, y, c)

    def bars(self, x0, y0, y1, widths, c=INK):
        x = x0
        for i, w in enumerate(widths):
            if i % 2 == 0:
                for k in range(w):
                    self.line(x + k, y0, x + k, y1, c)
            x += w

    def glyph(self, x0, y0, rows, c=INK):
        for y, row in enumerate(rows):
            for x, ch in enumerate(row):
                if ch == '#':
                    self.dot(x0 + x, y0 + y, c)


LETTERS = {
    'T': ["#####", "..#..", "..#..", "..#..", "..#.."],
    'P': ["####.", "#...#", "####.", "#....", "#...."],
    'H': ["#...#", "#...#", "#####", "#...#", "#...#"],
    'A': [".###.", "#...#", "#####", "#...#", "#...#"],
    '+': ["..#..", "..#..", "#####", "..#..", "..#.."],
    '-': [".....", ".....", "#####", ".....", "....."],
    '0': [".###.", "#..##", "#.#.#", "##..#", ".###."],
    '9': [".###.", "#...#", ".####", "....#", ".###."],
}


def text(c, x, y, s, colour=INK):
    for i, ch in enumerate(s):
        c.glyph(x + i * 6, y, LETTERS[ch], colour)


def page(c):
    c.rect(3, 1, 12, 13, INK, WHITE)


def std_new(c):
    page(c)


def std_open(c):
    c.rect(1, 5, 13, 12, INK, (224, 200, 96))
    c.line(2, 4, 6, 4)


def std_save(c):
    c.rect(2, 1, 13, 13, INK, BLUE)
    c.rect(4, 2, 11, 6, INK, WHITE)


def std_cut(c):
    c.line(4, 1, 10, 9)
    c.line(11, 1, 5, 9)
    c.ellipse(2, 9, 6, 13)
    c.ellipse(9, 9, 13, 13)


def std_copy(c):
    c.rect(1, 1, 8, 9, INK, WHITE)
    c.rect(6, 5, 13, 13, INK, WHITE)


def std_paste(c):
    c.rect(2, 2, 11, 13, INK, (160, 112, 48))
    c.rect(6, 6, 13, 13, INK, WHITE)


def std_undo(c):
    c.line(3, 7, 11, 7, BLUE)
    c.line(3, 7, 6, 4, BLUE)
    c.line(3, 7, 6, 10, BLUE)


def std_redo(c):
    c.line(3, 7, 11, 7, BLUE)
    c.line(11, 7, 8, 4, BLUE)
    c.line(11, 7, 8, 10, BLUE)


def std_print(c):
    c.rect(4, 1, 11, 6, INK, WHITE)
    c.rect(1, 6, 14, 11, INK, GREY)
    c.rect(4, 10, 11, 13, INK, WHITE)


def std_help(c):
    c.ellipse(2, 1, 13, 13, BLUE)
    c.glyph(6, 4, ["###", "..#", ".#.", "...", ".#."], BLUE)


def border(c):
    c.rect(1, 1, 16, 13, BLUE)
    c.rect(3, 3, 14, 11, BLUE)


def barcode(c):
    c.bars(2, 2, 12, [1, 1, 2, 1, 1, 2, 3, 1, 1, 1, 2, 1])


def hibc(c):
    c.bars(1, 6, 13, [1, 1, 2, 1, 1, 2, 3, 1, 1])
    text(c, 11, 1, 'H', RED)


def add_text(c):
    c.glyph(4, 2, ["#########", "#########", "....#....", "....#....", "....#....",
                   "....#....", "....#....", "....#....", "....#....", "...###..."])


def paragraph(c):
    for y in (2, 5, 8, 11):
        c.line(2, y, 15 if y < 11 else 10, y)


def image(c):
    c.rect(1, 1, 16, 13, INK, (200, 224, 255))
    c.line(2, 12, 7, 6, GREEN)
    c.line(7, 6, 11, 10, GREEN)
    c.line(11, 10, 15, 5, GREEN)
    c.ellipse(11, 2, 14, 5, RED)


def add_line(c):
    c.line(2, 12, 15, 2)


def add_box(c):
    c.rect(2, 2, 15, 12)


def add_ellipse(c):
    c.ellipse(1, 1, 16, 13)


def rounded(c):
    c.line(4, 2, 13, 2)
    c.line(4, 12, 13, 12)
    c.line(2, 4, 2, 10)
    c.line(15, 4, 15, 10)
    for x, y in ((3, 3), (14, 3), (3, 11), (14, 11)):
        c.dot(x, y)


def lens(c, sign):
    c.ellipse(1, 1, 11, 11)
    c.line(10, 10, 15, 14)
    c.line(11, 10, 16, 14)
    c.line(4, 6, 8, 6)
    if sign == '+':
        c.line(6, 4, 6, 8)


def fit(c):
    c.rect(1, 1, 16, 13)
    for (x0, y0, x1, y1) in ((3, 3, 6, 6), (14, 3, 11, 6), (3, 11, 6, 8), (14, 11, 11, 8)):
        c.line(x0, y0, x1, y1, BLUE)


def arrange(c):
    for y in (2, 6, 10):
        c.rect(3, y, 14, y + 2, INK, WHITE)


def opaque(c):
    c.rect(1, 1, 10, 9, INK, BLUE)
    c.rect(7, 5, 16, 13, INK, RED)


def see_through(c):
    c.rect(1, 1, 10, 9, BLUE)
    c.rect(7, 5, 16, 13, RED)


def to_back(c):
    c.rect(5, 4, 16, 13, INK, WHITE)
    c.rect(1, 1, 10, 9, INK, GREY)


def to_front(c):
    c.rect(1, 1, 10, 9, INK, GREY)
    c.rect(5, 4, 16, 13, INK, WHITE)


def align(side):
    def draw(c):
        if side in 'lr':
            x = 2 if side == 'l' else 15
            c.line(x, 1, x, 13, RED)
            c.rect(3 if side == 'l' else 5, 3, 12 if side == 'l' else 14, 5, INK, WHITE)
            c.rect(3 if side == 'l' else 9, 8, 8 if side == 'l' else 14, 10, INK, WHITE)
        else:
            y = 1 if side == 't' else 13
            c.line(1, y, 16, y, RED)
            c.rect(3, 2 if side == 't' else 4, 6, 11 if side == 't' else 12, INK, WHITE)
            c.rect(10, 2 if side == 't' else 8, 13, 7 if side == 't' else 12, INK, WHITE)
    return draw


def centre(axis, colour):
    def draw(c):
        if axis == 'h':
            c.line(8, 1, 8, 13, colour)
            c.rect(3, 3, 13, 5, INK, WHITE)
            c.rect(5, 8, 11, 10, INK, WHITE)
        else:
            c.line(1, 7, 16, 7, colour)
            c.rect(3, 2, 5, 12, INK, WHITE)
            c.rect(9, 4, 11, 10, INK, WHITE)
    return draw


def space(axis):
    def draw(c):
        for i in range(3):
            if axis == 'h':
                c.rect(1 + i * 6, 4, 4 + i * 6, 10, INK, WHITE)
            else:
                c.rect(5, 1 + i * 5, 12, 3 + i * 5, INK, WHITE)
    return draw


def rotate90(c):
    text(c, 1, 5, '9', BLUE)
    text(c, 7, 5, '0', BLUE)
    c.line(13, 2, 16, 5, RED)
    c.line(16, 5, 13, 8, RED)


def rotate0(c):
    text(c, 6, 5, '0', BLUE)
    c.line(1, 12, 16, 12, RED)


STANDARD = [std_new, std_open, std_save, std_cut, std_copy, std_paste, std_undo, std_redo, std_print, std_help]
TOOLS = [border, barcode, hibc, add_text, paragraph, image, add_line, add_box, add_ellipse, rounded]
VIEWTOOL = [lambda c: lens(c, '+'), lambda c: lens(c, '-'), fit, arrange, opaque, see_through, to_back, to_front]
ALIGNTOOL = [align('l'), align('r'), align('t'), align('b'), centre('h', RED), centre('v', RED),
             centre('h', GREEN), centre('v', GREEN), space('h'), space('v'), rotate90, rotate0]


def check_mark(c):
    c.line(2, 7, 5, 10)
    c.line(5, 10, 11, 3)
    c.line(2, 8, 5, 11)
    c.line(5, 11, 11, 4)


def strip(draws, w, h):
    canvas = Canvas(w * len(draws), h)
    for i, draw in enumerate(draws):
        sub = Canvas(w, h)
        draw(sub)
        for y in range(h):
            canvas.px[y][i * w:(i + 1) * w] = sub.px[y]
    return canvas


def write_bmp(path, canvas):
    row = (canvas.w * 3 + 3) & ~3
    pixels = bytearray()
    for y in range(canvas.h - 1, -1, -1):
        line = bytearray()
        for (r, g, b) in canvas.px[y]:
            line += bytes((b, g, r))
        pixels += line + bytes(row - len(line))
    header = struct.pack('<2sIHHI', b'BM', 54 + len(pixels), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, canvas.w, canvas.h, 1, 24, 0, len(pixels), 3780, 3780, 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + pixels)


def write_ico(path, canvas):
    # One 24-bit picture: its bitmap header (twice the height, for the mask),
    # the colour rows bottom-up, then an all-clear 1-bit mask.
    w, h = canvas.w, canvas.h
    row = (w * 3 + 3) & ~3
    colour = bytearray()
    for y in range(h - 1, -1, -1):
        line = bytearray()
        for (r, g, b) in canvas.px[y]:
            line += bytes((b, g, r))
        colour += line + bytes(row - len(line))
    mask = bytes(((w + 31) // 32 * 4) * h)
    info = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, 24, 0, len(colour) + len(mask), 0, 0, 0, 0)
    image = info + colour + mask
    header = struct.pack('<HHH', 0, 1, 1)
    entry = struct.pack('<BBBBHHII', w, h, 0, 0, 1, 24, len(image), 6 + 16)
    with open(path, 'wb') as f:
        f.write(header + entry + image)


def app_icon(c):
    c.rect(2, 4, 29, 27, INK, WHITE)
    c.bars(5, 8, 22, [2, 1, 1, 2, 3, 1, 1, 1, 2, 2, 1, 1, 3, 2, 1])
    c.line(4, 25, 27, 25, BLUE)


def main():
    out = sys.argv[1]
    icon = Canvas(32, 32)
    app_icon(icon)
    write_ico(f'{out}/tavrendel.ico', icon)
    write_bmp(f'{out}/standard.bmp', strip(STANDARD, 16, 15))
    write_bmp(f'{out}/tools.bmp', strip(TOOLS, 18, 15))
    write_bmp(f'{out}/viewtool.bmp', strip(VIEWTOOL, 18, 15))
    write_bmp(f'{out}/aligntool.bmp', strip(ALIGNTOOL, 18, 15))
    write_bmp(f'{out}/check.bmp', strip([check_mark], 13, 13))


if __name__ == '__main__':
    main()
