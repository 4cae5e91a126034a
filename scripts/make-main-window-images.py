#!/usr/bin/env python3
"""Draws the main window's pictures and writes them as Windows image files.

    scripts/make-main-window-images.py [output folder]   (default: vantrel/resources)

Writes
  clock.ico    the application and tray icon: a clock face, 16x16 and 32x32
  toolbar.bmp  six 16x16 toolbar glyphs side by side: Save, Refresh, Stop,
               Delay, Run, Properties
  tree.bmp     seven 16x16 tree pictures side by side: Registry, Startup,
               Stopped, Delay, User, Group, Off (a switch turned off)

The bitmaps are 24-bit with magenta (255, 0, 255) as the transparent colour.
Only the standard library is used, so the files can be made again anywhere.
"""
import math
import os
import struct
import sys

MAGENTA = (255, 0, 255)
TRANSPARENT = None


class Canvas:
    """A small square of RGB pixels; None is transparent."""

    def __init__(self, size):
        self.size = size
        self.pixels = [[TRANSPARENT] * size for _ in range(size)]

    def put(self, x, y, colour):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.pixels[y][x] = colour

    def rect(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        for x in range(x0, x1 + 1):
            self.put(x, y0, colour)
            self.put(x, y1, colour)
        for y in range(y0, y1 + 1):
            self.put(x0, y, colour)
            self.put(x1, y, colour)

    def disc(self, cx, cy, r, colour):
        for y in range(self.size):
            for x in range(self.size):
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                    self.put(x, y, colour)

    def ring(self, cx, cy, r, width, colour):
        for y in range(self.size):
            for x in range(self.size):
                d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
                if r - width <= d <= r:
                    self.put(x, y, colour)

    def line(self, x0, y0, x1, y1, colour):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            self.put(round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps), colour)

    def polygon(self, points, colour):
        for y in range(self.size):
            for x in range(self.size):
                if inside(points, x + 0.5, y + 0.5):
                    self.put(x, y, colour)


def inside(points, px, py):
    hit = False
    j = len(points) - 1
    for i, (xi, yi) in enumerate(points):
        xj, yj = points[j]
        if (yi > py) != (yj > py) and px < (xj - xi) * (py - yi) / (yj - yi) + xi:
            hit = not hit
        j = i
    return hit


# Colours.
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
DARK = (48, 48, 48)
GREY = (128, 128, 128)
LIGHT = (212, 212, 212)
BLUE = (40, 90, 200)
LIGHT_BLUE = (120, 170, 240)
NAVY = (20, 40, 110)
RED = (200, 30, 30)
DARK_RED = (120, 10, 10)
GREEN = (30, 150, 50)
DARK_GREEN = (10, 90, 25)
YELLOW = (240, 200, 60)
DARK_YELLOW = (170, 120, 20)
SKIN = (240, 190, 150)
ORANGE = (230, 120, 30)


def clock(size):
    c = Canvas(size)
    s = size / 16
    c.disc(size / 2, size / 2, 7.5 * s, NAVY)
    c.disc(size / 2, size / 2, 6.3 * s, WHITE)
    mid = size // 2
    for hour in range(12):
        a = hour * math.pi / 6
        x = round(mid - 0.5 + math.sin(a) * 5.2 * s)
        y = round(mid - 0.5 - math.cos(a) * 5.2 * s)
        c.put(x, y, NAVY)
    c.line(mid - 1 if size > 16 else mid, mid, mid - 1 if size > 16 else mid, round(mid - 4.5 * s), BLACK)
    c.line(mid, mid, round(mid + 3.5 * s), mid, RED)
    c.disc(size / 2, size / 2, 1.0 * s, BLACK)
    return c


def glyph_save():
    c = Canvas(16)
    c.rect(1, 1, 14, 14, BLUE)
    c.frame(1, 1, 14, 14, NAVY)
    c.rect(4, 2, 11, 6, WHITE)
    c.rect(9, 3, 10, 5, GREY)
    c.rect(3, 9, 12, 13, LIGHT)
    c.line(4, 11, 11, 11, GREY)
    return c


def glyph_refresh():
    c = Canvas(16)
    # Three quarters of a ring, with the arrowhead closing the gap.
    c.ring(8, 8, 6.8, 2.4, GREEN)
    c.rect(9, 0, 15, 6, TRANSPARENT)
    c.polygon([(8.5, 0), (8.5, 7), (14.5, 3.5)], DARK_GREEN)
    return c


def glyph_stop():
    c = Canvas(16)
    r = 7.4
    pts = [(8 + r * math.cos(math.pi / 8 + i * math.pi / 4), 8 + r * math.sin(math.pi / 8 + i * math.pi / 4))
           for i in range(8)]
    c.polygon(pts, DARK_RED)
    r = 6.2
    pts = [(8 + r * math.cos(math.pi / 8 + i * math.pi / 4), 8 + r * math.sin(math.pi / 8 + i * math.pi / 4))
           for i in range(8)]
    c.polygon(pts, RED)
    c.rect(4, 7, 11, 8, WHITE)
    return c


def glyph_delay():
    c = Canvas(16)
    # An hourglass.
    c.rect(3, 1, 12, 2, DARK_YELLOW)
    c.rect(3, 13, 12, 14, DARK_YELLOW)
    c.polygon([(4, 3), (12, 3), (8.5, 8), (7.5, 8)], LIGHT_BLUE)
    c.polygon([(7.5, 8), (8.5, 8), (12, 13), (4, 13)], LIGHT_BLUE)
    c.polygon([(6, 4), (10, 4), (8, 7)], YELLOW)
    c.polygon([(8, 9), (11, 13), (5, 13)], YELLOW)
    c.line(4, 3, 7, 7, NAVY)
    c.line(11, 3, 8, 7, NAVY)
    c.line(7, 8, 4, 12, NAVY)
    c.line(8, 8, 11, 12, NAVY)
    return c


def glyph_run():
    c = Canvas(16)
    c.polygon([(3, 1), (14, 8), (3, 15)], DARK_GREEN)
    c.polygon([(4, 3), (12, 8), (4, 13)], GREEN)
    return c


def glyph_properties():
    c = Canvas(16)
    c.rect(2, 1, 12, 14, WHITE)
    c.frame(2, 1, 12, 14, DARK)
    for y in (4, 7, 10):
        c.line(4, y, 10, y, BLUE)
    c.rect(10, 10, 14, 14, ORANGE)
    c.frame(10, 10, 14, 14, DARK)
    return c


def picture_registry():
    c = Canvas(16)
    for x, y, colour in ((1, 1, BLUE), (8, 1, LIGHT_BLUE), (1, 8, LIGHT_BLUE), (8, 8, BLUE)):
        c.rect(x, y, x + 6, y + 6, colour)
        c.frame(x, y, x + 6, y + 6, NAVY)
    return c


def picture_startup():
    c = Canvas(16)
    c.rect(1, 3, 6, 4, DARK_YELLOW)
    c.rect(1, 4, 14, 13, YELLOW)
    c.frame(1, 4, 14, 13, DARK_YELLOW)
    c.polygon([(7, 6), (12, 9), (7, 12)], GREEN)
    return c


def picture_stopped():
    c = Canvas(16)
    c.disc(8, 8, 7, DARK_RED)
    c.disc(8, 8, 5.8, RED)
    c.line(5, 5, 10, 10, WHITE)
    c.line(5, 10, 10, 5, WHITE)
    c.line(6, 5, 11, 10, WHITE)
    c.line(6, 10, 11, 5, WHITE)
    return c


def picture_delay():
    return clock(16)


def person(c, x, y, shirt, dark_shirt):
    """Head and shoulders, the head's centre at (x, y)."""
    c.polygon([(x - 5, y + 11), (x - 5, y + 7), (x - 3, y + 4.5), (x + 3, y + 4.5), (x + 5, y + 7),
               (x + 5, y + 11)], dark_shirt)
    c.polygon([(x - 4, y + 10), (x - 4, y + 7.5), (x - 2.5, y + 5.5), (x + 2.5, y + 5.5),
               (x + 4, y + 7.5), (x + 4, y + 10)], shirt)
    c.disc(x, y, 3.2, DARK)
    c.disc(x, y, 2.3, SKIN)


def picture_user():
    c = Canvas(16)
    person(c, 8, 4.5, LIGHT_BLUE, BLUE)
    return c


def picture_group():
    c = Canvas(16)
    person(c, 10.5, 3.5, (120, 210, 130), GREEN)
    person(c, 5.5, 5, LIGHT_BLUE, BLUE)
    return c


def picture_off():
    """A grey slide switch with its knob to the left: switched off."""
    c = Canvas(16)
    c.disc(5, 8, 4.5, DARK)
    c.disc(11, 8, 4.5, DARK)
    c.rect(5, 4, 11, 11, DARK)
    c.disc(5, 8, 3.5, GREY)
    c.disc(11, 8, 3.5, GREY)
    c.rect(5, 5, 11, 10, GREY)
    c.disc(5, 8, 3, WHITE)
    c.ring(5, 8, 3, 0.8, DARK)
    return c


def strip(canvases):
    """Joins 16x16 canvases side by side into rows of RGB (top row first)."""
    rows = []
    for y in range(16):
        row = []
        for c in canvases:
            row.extend(MAGENTA if p is None else p for p in c.pixels[y])
        rows.append(row)
    return rows


def bmp_bytes(rows):
    height = len(rows)
    width = len(rows[0])
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += bytes(stride - len(line))
        pixels += line
    header = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    file_header = struct.pack('<2sIHHI', b'BM', 14 + len(header) + len(pixels), 0, 0, 14 + len(header))
    return file_header + header + pixels


def ico_image(c):
    """A 32-bit icon image (BITMAPINFOHEADER, XOR pixels with alpha, AND mask)."""
    size = c.size
    xor = bytearray()
    mask = bytearray()
    mask_stride = ((size + 31) // 32) * 4
    for y in reversed(range(size)):
        bits = 0
        line = bytearray()
        for x in range(size):
            p = c.pixels[y][x]
            if p is None:
                xor += bytes((0, 0, 0, 0))
                bits |= 1 << (7 - x % 8)
            else:
                xor += bytes((p[2], p[1], p[0], 255))
            if x % 8 == 7:
                line.append(bits)
                bits = 0
        line += bytes(mask_stride - len(line))
        mask += line
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + xor + mask


def ico_bytes(canvases):
    images = [ico_image(c) for c in canvases]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for c, data in zip(canvases, images):
        out += struct.pack('<BBBBHHII', c.size % 256, c.size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b''.join(images)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), '..', 'vantrel', 'resources')
    files = {
        'clock.ico': ico_bytes([clock(16), clock(32)]),
        'toolbar.bmp': bmp_bytes(strip([glyph_save(), glyph_refresh(), glyph_stop(), glyph_delay(),
                                        glyph_run(), glyph_properties()])),
        'tree.bmp': bmp_bytes(strip([picture_registry(), picture_startup(), picture_stopped(),
                                     picture_delay(), picture_user(), picture_group(),
                                     picture_off()])),
    }
    for name, data in files.items():
        with open(os.path.join(folder, name), 'wb') as f:
            f.write(data)
        print(os.path.join(folder, name))


if __name__ == '__main__':
    main()
