#!/usr/bin/env python3
"""Draws the window's icon set as PNG files into this folder (python3 draw_icons.py).

Every image is drawn on a 16-unit grid, scaled to its size and smoothed by
supersampling, in one palette, so the set stays consistent: blue for data, yellow
for folders, green for going on, red for removing, dark outlines.
"""
import math
import os
import struct
import zlib

BLUE = (27, 156, 213, 255)
DARK = (38, 56, 74, 255)
WHITE = (255, 255, 255, 255)
PAPER = (246, 248, 250, 255)
GREEN = (46, 160, 67, 255)
RED = (214, 55, 45, 255)
YELLOW = (240, 196, 70, 255)
ORANGE = (236, 140, 30, 255)
GREY = (150, 160, 170, 255)
CLEAR = None  # punches a hole into what is drawn below

SAMPLES = 4


class Canvas:
    def __init__(self, size):
        self.size = size
        self.scale = size / 16.0
        self.pixels = [[(0.0, 0.0, 0.0, 0.0) for _ in range(size)] for _ in range(size)]

    def fill(self, inside, colour):
        """Paints every pixel by the share of its samples for which inside(x, y) holds (16-unit coordinates)."""
        step = 1.0 / SAMPLES
        for py in range(self.size):
            for px in range(self.size):
                hits = 0
                for sy in range(SAMPLES):
                    for sx in range(SAMPLES):
                        x = (px + (sx + 0.5) * step) / self.scale
                        y = (py + (sy + 0.5) * step) / self.scale
                        hits += inside(x, y)
                if hits:
                    self.blend(px, py, colour, hits / (SAMPLES * SAMPLES))

    def blend(self, px, py, colour, coverage):
        r, g, b, a = self.pixels[py][px]
        if colour is CLEAR:
            self.pixels[py][px] = (r, g, b, a * (1 - coverage))
            return
        ca = colour[3] / 255.0 * coverage
        out = ca + a * (1 - ca)
        if out == 0:
            return
        mix = lambda c, o: (c * ca + o * a * (1 - ca)) / out
        self.pixels[py][px] = (mix(colour[0], r), mix(colour[1], g), mix(colour[2], b), out)

    def rect(self, x0, y0, x1, y1, colour):
        self.fill(lambda x, y: x0 <= x <= x1 and y0 <= y <= y1, colour)

    def ellipse(self, cx, cy, rx, ry, colour):
        self.fill(lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1, colour)

    def polygon(self, points, colour):
        def inside(x, y):
            hit = False
            j = len(points) - 1
            for i in range(len(points)):
                xi, yi = points[i]
                xj, yj = points[j]
                if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                    hit = not hit
                j = i
            return hit
        self.fill(inside, colour)

    def line(self, x0, y0, x1, y1, width, colour):
        dx, dy = x1 - x0, y1 - y0
        length = math.hypot(dx, dy)
        nx, ny = -dy / length * width / 2, dx / length * width / 2
        self.polygon([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)], colour)

    def ring(self, cx, cy, outer, inner, colour):
        self.fill(lambda x, y: inner ** 2 <= (x - cx) ** 2 + (y - cy) ** 2 <= outer ** 2, colour)

    def save(self, path):
        raw = b"".join(
            b"\x00" + b"".join(struct.pack("4B", *(round(v) for v in (r, g, b, a * 255))) for r, g, b, a in row)
            for row in self.pixels)

        def chunk(kind, data):
            return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

        header = struct.pack(">IIBBBBB", self.size, self.size, 8, 6, 0, 0, 0)
        with open(path, "wb") as out:
            out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
                      + chunk(b"IEND", b""))


# Shapes shared by several images.

def cylinder(c, x0, y0, x1, y1, colour=BLUE):
    cx, rx, ry = (x0 + x1) / 2, (x1 - x0) / 2, (x1 - x0) / 6
    c.ellipse(cx, y1 - ry, rx + 0.5, ry + 0.5, DARK)
    c.rect(x0 - 0.5, y0 + ry, x1 + 0.5, y1 - ry, DARK)
    c.ellipse(cx, y1 - ry, rx, ry, colour)
    c.rect(x0, y0 + ry, x1, y1 - ry, colour)
    c.ellipse(cx, y0 + ry, rx + 0.5, ry + 0.5, DARK)
    c.ellipse(cx, y0 + ry, rx, ry, (120, 200, 235, 255))


def sheet(c, x0, y0, x1, y1):
    c.rect(x0 - 0.6, y0 - 0.6, x1 + 0.6, y1 + 0.6, DARK)
    c.rect(x0, y0, x1, y1, WHITE)
    c.rect(x0, y0, x1, y0 + (y1 - y0) / 4, BLUE)
    for i in (1, 2):
        c.rect(x0, y0 + (y1 - y0) * (1 + i * 1.0) / 4 - 0.25, x1, y0 + (y1 - y0) * (1 + i * 1.0) / 4 + 0.25, GREY)
    c.rect((x0 + x1) / 2 - 0.25, y0, (x0 + x1) / 2 + 0.25, y1, GREY)


def folder(c):
    c.polygon([(1, 3.5), (6, 3.5), (7.5, 5), (15, 5), (15, 14), (1, 14)], DARK)
    c.polygon([(1.7, 4.2), (5.7, 4.2), (7.2, 5.7), (14.3, 5.7), (14.3, 13.3), (1.7, 13.3)], YELLOW)


def arrow_right(c, colour, x0=2, x1=14, y=8, half=5):
    c.polygon([(x0, y - half / 2.2), (x1 - half, y - half / 2.2), (x1 - half, y - half), (x1, y),
               (x1 - half, y + half), (x1 - half, y + half / 2.2), (x0, y + half / 2.2)], colour)


def gear(c):
    points = []
    for i in range(16):
        angle = math.pi * 2 * i / 16
        radius = 7.3 if i % 2 == 0 else 5.4
        points.append((8 + radius * math.cos(angle), 8 + radius * math.sin(angle)))
    c.polygon(points, DARK)
    c.ellipse(8, 8, 5.2, 5.2, BLUE)
    c.ellipse(8, 8, 2.2, 2.2, CLEAR)


def key(c):
    c.ring(5, 8, 3.6, 1.5, ORANGE)
    c.rect(8.2, 7, 15, 9, ORANGE)
    c.rect(12, 9, 13.2, 11.5, ORANGE)
    c.rect(14, 9, 15, 11, ORANGE)


def eye(c, cx=8, cy=8, scale=1.0):
    c.polygon([(cx - 7 * scale, cy), (cx - 3 * scale, cy - 4 * scale), (cx + 3 * scale, cy - 4 * scale),
               (cx + 7 * scale, cy), (cx + 3 * scale, cy + 4 * scale), (cx - 3 * scale, cy + 4 * scale)], DARK)
    c.polygon([(cx - 5.6 * scale, cy), (cx - 2.6 * scale, cy - 3 * scale), (cx + 2.6 * scale, cy - 3 * scale),
               (cx + 5.6 * scale, cy), (cx + 2.6 * scale, cy + 3 * scale), (cx - 2.6 * scale, cy + 3 * scale)], WHITE)
    c.ellipse(cx, cy, 2.4 * scale, 2.4 * scale, BLUE)
    c.ellipse(cx, cy, 1.0 * scale, 1.0 * scale, DARK)


def field(c, x0=5, y0=2, x1=11, y1=14):
    c.rect(x0 - 0.6, y0 - 0.6, x1 + 0.6, y1 + 0.6, DARK)
    c.rect(x0, y0, x1, y1, WHITE)
    c.rect(x0, y0, x1, y0 + 3, BLUE)


def funnel(c, x0, y0, x1, y1):
    """A filter funnel in the box, outlined so that it stands out on a sheet."""
    mid, neck, stem = (x0 + x1) / 2, y0 + (y1 - y0) * 0.55, (x1 - x0) * 0.14
    outline = [(x0 - 0.7, y0 - 0.6), (x1 + 0.7, y0 - 0.6), (mid + stem + 0.6, neck), (mid + stem + 0.6, y1 + 0.6),
               (mid - stem - 0.6, y1 + 0.6), (mid - stem - 0.6, neck)]
    c.polygon(outline, DARK)
    c.polygon([(x0, y0), (x1, y0), (mid + stem, neck), (mid + stem, y1), (mid - stem, y1), (mid - stem, neck)], ORANGE)


def draw(name, size, painter):
    canvas = Canvas(size)
    painter(canvas)
    canvas.save(os.path.join(os.path.dirname(os.path.abspath(__file__)), name + ".png"))


def small_badge(painter):
    """A folder with a smaller image of what it holds in its corner."""
    def paint(c):
        folder(c)
        painter(c)
    return paint


TOOLS = [
    gear,
    lambda c: (c.line(3, 13, 7, 9, 2.4, DARK), c.rect(6, 5, 11, 10, BLUE), c.line(8, 6, 11, 3, 1.4, DARK),
               c.line(10, 8, 13, 5, 1.4, DARK), c.line(9.5, 11.5, 12.5, 14, 1.2, GREY)),
    lambda c: (cylinder(c, 1, 3, 6, 13), arrow_right(c, GREEN, 5.5, 11, 8, 3), sheet(c, 11, 4, 15, 12)),
    lambda c: (c.line(3, 3, 13, 13, 3, RED), c.line(13, 3, 3, 13, 3, RED)),
    lambda c: (c.rect(2, 2, 14, 14, DARK), c.rect(4, 2.8, 12, 7, WHITE), c.rect(5, 9.5, 11, 14, BLUE),
               c.rect(9, 3.5, 10.5, 6.3, DARK)),
    lambda c: (c.ellipse(8, 8, 7, 7, DARK), c.ellipse(8, 8, 6, 6, BLUE), c.rect(7, 7, 9, 12.5, WHITE),
               c.ellipse(8, 4.6, 1.2, 1.2, WHITE)),
]

TASK_TOOLS = [
    lambda c: (c.rect(3.5, 2.5, 6.5, 13.5, BLUE), c.rect(9.5, 2.5, 12.5, 13.5, BLUE)),
    lambda c: (c.polygon([(8, 2), (14, 9), (10, 9), (10, 14), (6, 14), (6, 9), (2, 9)], BLUE),),
    lambda c: (c.polygon([(8, 14), (14, 7), (10, 7), (10, 2), (6, 2), (6, 7), (2, 7)], BLUE),),
    lambda c: (c.rect(2.5, 6.5, 13.5, 9.5, RED),),
    lambda c: (c.rect(1.5, 1.5, 11.5, 14.5, DARK), c.rect(2.5, 2.5, 10.5, 13.5, PAPER),
               [c.rect(4, y, 9, y + 1, GREY) for y in (4.5, 7, 9.5)],
               c.line(9, 9, 15, 15, 2.2, RED), c.line(15, 9, 9, 15, 2.2, RED)),
    lambda c: (c.polygon([(3.5, 2), (14, 8), (3.5, 14)], GREEN),),
]

NODES = [
    lambda c: (c.rect(1, 2, 15, 11.5, DARK), c.rect(2, 3, 14, 10.5, BLUE), c.rect(6, 11.5, 10, 13, DARK),
               c.rect(3.5, 13, 12.5, 14.5, DARK)),
    lambda c: cylinder(c, 2.5, 1.5, 13.5, 14.5),
    lambda c: sheet(c, 1.5, 2.5, 14.5, 13.5),
    small_badge(lambda c: sheet(c, 7.5, 8, 14, 13.3)),
    lambda c: field(c),
    small_badge(lambda c: field(c, 9.5, 7.5, 13, 13.3)),
    key,
    small_badge(lambda c: (c.ring(9.5, 10.5, 2.3, 1, ORANGE), c.rect(11.5, 10, 14.5, 11.2, ORANGE))),
    lambda c: eye(c),
    small_badge(lambda c: eye(c, 10.5, 10, 0.55)),
]

# A table whose rows a migration condition restricts.
CONDITIONED_TABLE = lambda c: (sheet(c, 1.5, 1.5, 12, 11), funnel(c, 8.2, 7.6, 15.2, 15.2))

TABS = [
    lambda c: (c.rect(2, 1, 14, 15, DARK), c.rect(3, 2, 13, 14, PAPER),
               [c.rect(4.5, y, 11.5, y + 1, GREY) for y in (4, 7, 10)]),
    lambda c: (c.rect(2, 1, 14, 15, DARK), c.rect(3, 2, 13, 14, PAPER),
               [(c.rect(4.5, y, 6.5, y + 2, GREEN), c.rect(8, y + 0.5, 11.5, y + 1.5, GREY)) for y in (3.5, 7, 10.5)]),
    lambda c: (c.ellipse(8, 6.5, 5.2, 5.2, DARK), c.ellipse(8, 6.5, 4.3, 4.3, YELLOW), c.rect(6, 11, 10, 14.5, DARK),
               c.rect(6.8, 11.5, 9.2, 14, GREY)),
]


def program_icon(c):
    c.ellipse(8, 8, 7.8, 7.8, DARK)
    c.ellipse(8, 8, 7.2, 7.2, WHITE)
    cylinder(c, 2.3, 4, 6.8, 12)
    arrow_right(c, GREEN, 6.2, 10.4, 8, 2.2)
    sheet(c, 10.2, 5, 13.8, 11)


if __name__ == "__main__":
    for i, painter in enumerate(TOOLS):
        draw("tool_%d" % i, 24, painter)
    for i, painter in enumerate(TASK_TOOLS):
        draw("task_%d" % i, 16, painter)
    for i, painter in enumerate(NODES):
        draw("node_%d" % i, 16, painter)
    draw("node_2_condition", 16, CONDITIONED_TABLE)
    for i, painter in enumerate(TABS):
        draw("tab_%d" % i, 16, painter)
    draw("tabvex", 64, program_icon)
