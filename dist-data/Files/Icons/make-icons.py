#!/usr/bin/env python3
"""Draws the icons the editor shows for the kinds of keyword (32 x 32 and
16 x 16 images, 32-bit colour with alpha) as .ico files next to this script:
a window for normal commands, a gear for system commands, a folder for
groups and a sheet with a star for a kind not chosen yet."""
import math
import os
import struct


def window(x, y):
    # A program window: blue title bar over a white body, dark frame.
    if not (0.12 <= x <= 0.88 and 0.18 <= y <= 0.82):
        return None
    if x < 0.16 or x > 0.84 or y < 0.22 or y > 0.78:
        return (30, 50, 110)
    if y < 0.36:
        return (60, 110, 220)
    return (250, 250, 250)


def gear(colour, hole=(255, 255, 255)):
    def draw(x, y):
        dx, dy = x - 0.5, y - 0.5
        r = math.hypot(dx, dy)
        a = math.atan2(dy, dx)
        tooth = 0.40 if math.cos(8 * a) > 0.2 else 0.31
        if r > tooth:
            return None
        if r < 0.12:
            return hole
        if r > tooth - 0.04:
            return tuple(c // 2 for c in colour)
        return colour
    return draw


def folder(front, back):
    def draw(x, y):
        if 0.10 <= x <= 0.45 and 0.18 <= y <= 0.30:
            return back  # the tab
        if 0.10 <= x <= 0.90 and 0.26 <= y <= 0.82:
            edge = x < 0.13 or x > 0.87 or y > 0.79 or y < 0.29
            if edge:
                return (120, 80, 0)
            return front if y > 0.40 else back
        return None
    return draw


def stacked_folder(x, y):
    # A folder with two sheets standing out of it: a group of keywords.
    if 0.30 <= x <= 0.62 and 0.10 <= y <= 0.50:
        return (90, 90, 90) if (x < 0.33 or x > 0.59 or y < 0.13) else (255, 255, 255)
    if 0.42 <= x <= 0.74 and 0.16 <= y <= 0.50:
        return (90, 90, 90) if (x < 0.45 or x > 0.71 or y < 0.19) else (235, 245, 255)
    return folder((250, 200, 60), (220, 160, 30))(x, y)


def sheet_with_star(x, y):
    dx, dy = x - 0.62, y - 0.64
    r = math.hypot(dx, dy)
    # Five tips, one pointing up: the edge runs from a tip (outer radius) to
    # the notch between two tips (inner radius).
    t = ((math.atan2(dy, dx) + math.pi / 2) / (2 * math.pi / 5)) % 1.0
    edge = 0.13 + (0.30 - 0.13) * abs(1 - 2 * t) ** 1.5
    if r <= edge:
        return (150, 90, 0) if r > edge - 0.05 else (250, 190, 20)
    if 0.18 <= x <= 0.72 and 0.10 <= y <= 0.88:
        if x < 0.22 or x > 0.68 or y < 0.14 or y > 0.84:
            return (80, 80, 80)
        return (255, 255, 255)
    return None


ICONS = {
    "normalcommand_small.ico": window,
    "systemcommand_small.ico": gear((120, 130, 150)),
    "groupcommand_small2.ico": folder((250, 200, 60), (220, 160, 30)),
    "excommand_small.ico": sheet_with_star,
    "systemkeyword.ico": gear((220, 90, 40)),
    "group.ico": stacked_folder,
}


def image(draw, n):
    # Bottom-up rows of BGRA, then the AND mask (1 bit a pixel, rows of 32 bits).
    pixels = bytearray()
    mask = bytearray()
    for row in range(n - 1, -1, -1):
        bits = 0
        for col in range(n):
            colour = draw((col + 0.5) / n, (row + 0.5) / n)
            if colour is None:
                pixels += bytes((0, 0, 0, 0))
                bits |= 1 << (31 - col)
            else:
                r, g, b = colour
                pixels += bytes((b, g, r, 255))
        mask += struct.pack(">I", bits & 0xFFFFFFFF)
    header = struct.pack("<IiiHHIIiiII", 40, n, n * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    return header + bytes(pixels) + bytes(mask)


def ico(draw):
    sizes = [32, 16]
    images = [image(draw, n) for n in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for n, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", n, n, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for data in images:
        out += data
    return out


here = os.path.dirname(os.path.abspath(__file__))
for name, draw in ICONS.items():
    with open(os.path.join(here, name), "wb") as f:
        f.write(ico(draw))
