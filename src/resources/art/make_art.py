#!/usr/bin/env python3
"""Draws the program's icons and its start window background.

Outputs, next to this script:
  mainico.ico    program icon: a white "Q" on a blue tile whose tail is an ISDN plug
  cardico.ico    an ISDN adapter card with bracket, socket, chips and edge connector
  quorelbmp.bmp  64 x 64 tile used as the pattern brush of the start window

The icons hold 32 x 32 and 16 x 16 images, 32 bits per pixel (BGRA) with an AND mask;
the bitmap is a bottom-up BMP with a palette of its colors (24 bits should it have more
than 256). Only the Python standard library is used, and the output is the same byte for
byte on every run.

Usage: python3 make_art.py [output directory]
"""

import math
import os
import struct
import sys

SUPERSAMPLE = 8  # subpixels per pixel and axis


class Canvas:
    """An RGBA image drawn in a 32-unit design space and rendered at any pixel size.

    Shapes are given as predicates over design coordinates; each pixel is sampled on a
    SUPERSAMPLE x SUPERSAMPLE grid, so edges come out anti-aliased.
    """

    def __init__(self, size):
        self.size = size
        self.scale = size / 32.0
        # premultiplied RGBA, floats 0..1
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(size * size)]

    def fill(self, inside, color, bbox=(0.0, 0.0, 32.0, 32.0)):
        """Composites `color` (an (r, g, b, a) tuple 0..255, or a function of (x, y)
        giving one) over every part of the image where inside(x, y) holds."""
        s = self.scale
        x0 = max(0, int(math.floor(bbox[0] * s)))
        y0 = max(0, int(math.floor(bbox[1] * s)))
        x1 = min(self.size, int(math.ceil(bbox[2] * s)))
        y1 = min(self.size, int(math.ceil(bbox[3] * s)))
        n = SUPERSAMPLE
        for py in range(y0, y1):
            for px in range(x0, x1):
                acc = [0.0, 0.0, 0.0, 0.0]
                hits = 0
                for sy in range(n):
                    y = (py + (sy + 0.5) / n) / s
                    for sx in range(n):
                        x = (px + (sx + 0.5) / n) / s
                        if inside(x, y):
                            c = color(x, y) if callable(color) else color
                            a = c[3] / 255.0
                            acc[0] += c[0] / 255.0 * a
                            acc[1] += c[1] / 255.0 * a
                            acc[2] += c[2] / 255.0 * a
                            acc[3] += a
                            hits += 1
                if hits == 0:
                    continue
                total = float(n * n)
                src = [v / total for v in acc]
                dst = self.px[py * self.size + px]
                k = 1.0 - src[3]
                self.px[py * self.size + px] = [src[i] + dst[i] * k for i in range(4)]

    def rgba_rows(self):
        """Rows top to bottom of (r, g, b, a) byte tuples, not premultiplied."""
        rows = []
        for y in range(self.size):
            row = []
            for x in range(self.size):
                r, g, b, a = self.px[y * self.size + x]
                if a <= 0.0:
                    row.append((0, 0, 0, 0))
                    continue
                row.append(tuple(int(round(min(1.0, v) * 255)) for v in (r / a, g / a, b / a, a)))
            rows.append(row)
        return rows


# ---------------------------------------------------------------------------
# Shape predicates (design units)


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if x < x0 or x > x1 or y < y0 or y > y1:
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r

    return inside


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def ring(cx, cy, r_out, r_in):
    def inside(x, y):
        d = (x - cx) ** 2 + (y - cy) ** 2
        return r_in * r_in <= d <= r_out * r_out

    return inside


def segment(ax, ay, bx, by, width):
    """A thick line with round ends."""
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    half2 = (width / 2.0) ** 2

    def inside(x, y):
        t = ((x - ax) * dx + (y - ay) * dy) / length2
        t = min(1.0, max(0.0, t))
        px, py = ax + t * dx, ay + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= half2

    return inside


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def minus(shape, cut):
    return lambda x, y: shape(x, y) and not cut(x, y)


def vertical_gradient(top, bottom, y0, y1):
    def color(x, y):
        t = min(1.0, max(0.0, (y - y0) / (y1 - y0)))
        return tuple(int(round(top[i] + (bottom[i] - top[i]) * t)) for i in range(4))

    return color


# ---------------------------------------------------------------------------
# The pictures


def draw_main_icon(size):
    c = Canvas(size)
    # blue tile with a darker rim
    c.fill(rounded_rect(1, 1, 31, 31, 6), (18, 48, 96, 255))
    c.fill(rounded_rect(2, 2, 30, 30, 5),
           vertical_gradient((62, 122, 196, 255), (24, 70, 140, 255), 2, 30))
    # soft highlight across the upper half
    c.fill(rounded_rect(3, 3, 29, 14, 4), (255, 255, 255, 36))
    # the "Q": a white ring ...
    c.fill(ring(14.5, 13.5, 9.0, 5.6), (255, 255, 255, 255), (4, 3, 25, 24))
    # ... whose tail is a cable leading to a plug
    c.fill(segment(18.5, 17.5, 24.0, 23.0, 3.0), (255, 255, 255, 255), (15, 14, 27, 26))
    # plug body (light grey) with a darker latch and gold contacts at its end
    c.fill(rounded_rect(20.5, 21.5, 29.0, 29.5, 1.2), (60, 66, 78, 255))
    c.fill(rounded_rect(21.3, 22.3, 28.2, 28.7, 0.8),
           vertical_gradient((246, 246, 246, 255), (200, 204, 210, 255), 22, 29))
    c.fill(rect(23.0, 22.3, 26.5, 24.0), (150, 156, 166, 255))
    if size >= 32:
        for i in range(4):
            x = 22.3 + i * 1.6
            c.fill(rect(x, 26.6, x + 0.8, 28.4), (214, 168, 40, 255))
    else:
        c.fill(rect(22.3, 26.4, 27.2, 28.4), (214, 168, 40, 255))
    return c


def draw_card_icon(size):
    c = Canvas(size)
    green_dark = (20, 84, 48, 255)
    gold = (222, 176, 52, 255)
    # printed circuit board
    c.fill(rounded_rect(4, 6, 30.5, 24.5, 1.5), green_dark)
    c.fill(rounded_rect(4.8, 6.8, 29.7, 23.7, 1.0),
           vertical_gradient((64, 160, 96, 255), (40, 124, 72, 255), 7, 24))
    # edge connector: gold fingers with a key gap
    c.fill(rect(9.0, 24.0, 28.0, 25.0), green_dark)
    c.fill(rect(9.0, 24.0, 17.0, 28.0), green_dark)
    c.fill(rect(19.0, 24.0, 28.0, 28.0), green_dark)
    if size >= 32:
        for x in (10, 12, 14, 16, 20, 22, 24, 26):
            c.fill(rect(x, 25.0, x + 1.0, 28.0), gold)
    else:
        c.fill(rect(10.0, 25.0, 16.0, 28.0), gold)
        c.fill(rect(20.0, 25.0, 27.0, 28.0), gold)
    # copper traces
    trace = (150, 210, 150, 200)
    c.fill(segment(10.5, 13.0, 14.0, 13.0, 0.7), trace)
    c.fill(segment(22.0, 19.5, 22.0, 23.0, 0.7), trace)
    c.fill(segment(25.5, 14.0, 25.5, 23.0, 0.7), trace)
    c.fill(segment(12.0, 19.5, 12.0, 23.0, 0.7), trace)
    c.fill(segment(16.0, 19.5, 16.0, 23.0, 0.7), trace)
    # main controller chip with pins
    if size >= 32:
        for i in range(4):
            x = 15.2 + i * 1.8
            c.fill(rect(x, 9.2, x + 0.7, 18.8), (210, 210, 210, 255))
    c.fill(rect(14.5, 10.0, 22.5, 18.0), (34, 34, 38, 255))
    c.fill(rect(15.2, 10.7, 21.8, 11.5), (80, 80, 90, 255))
    # small memory chip
    c.fill(rect(24.0, 9.0, 28.0, 13.0), (34, 34, 38, 255))
    # mounting bracket with its folded top
    metal = vertical_gradient((214, 218, 224, 255), (150, 156, 166, 255), 2, 30)
    c.fill(rect(1.0, 2.5, 4.2, 30.0), (96, 100, 110, 255))
    c.fill(rect(1.5, 3.0, 3.7, 29.5), metal)
    c.fill(rect(1.0, 2.5, 8.5, 4.5), (96, 100, 110, 255))
    c.fill(rect(1.5, 3.0, 8.0, 4.0), (224, 228, 232, 255))
    # ISDN socket (RJ-45 style) seen through the bracket
    c.fill(rect(3.2, 10.0, 9.8, 17.0), (44, 46, 52, 255))
    c.fill(rect(4.2, 11.0, 8.8, 16.0), (12, 12, 14, 255))
    c.fill(rect(5.4, 11.0, 7.6, 12.2), (44, 46, 52, 255))
    if size >= 32:
        for i in range(4):
            x = 4.8 + i * 1.0
            c.fill(rect(x, 14.6, x + 0.5, 16.0), gold)
    # status LED
    c.fill(lambda x, y: (x - 11.5) ** 2 + (y - 20.5) ** 2 <= 1.1 ** 2, (250, 190, 40, 255))
    return c


def draw_background_tile():
    """A calm 64 x 64 tile: pale blue-grey with a faint diamond lattice and small dots.

    The lattice lines run along x + y and x - y with a period of 32 pixels, so the tile
    repeats without seams."""
    size = 64
    base = (222, 229, 238)
    line = (210, 219, 231)
    dot = (194, 205, 221)
    period = 32.0
    n = 4
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0]
            for sy in range(n):
                for sx in range(n):
                    x = px + (sx + 0.5) / n
                    y = py + (sy + 0.5) / n
                    u = (x + y) % period
                    v = (x - y) % period
                    du = min(u, period - u)
                    dv = min(v, period - v)
                    # lattice nodes lie where both distances are 0
                    if du * du + dv * dv <= 2.0 * 1.3 ** 2:
                        c = dot
                    elif min(du, dv) <= 0.55:
                        c = line
                    else:
                        c = base
                    for i in range(3):
                        acc[i] += c[i]
            row.append(tuple(int(round(v / (n * n))) for v in acc))
        rows.append(row)
    return rows


# ---------------------------------------------------------------------------
# File formats


def icon_image(canvas):
    """One icon image: BITMAPINFOHEADER, BGRA pixels bottom-up, AND mask bottom-up."""
    size = canvas.size
    rows = canvas.rgba_rows()
    xor = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    return header + bytes(xor) + bytes(mask)


def write_icon(path, canvases):
    images = [icon_image(c) for c in canvases]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for c, data in zip(canvases, images):
        dim = c.size if c.size < 256 else 0
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for data in images:
        out += data
    with open(path, "wb") as f:
        f.write(out)


def write_bmp24(path, rows):
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
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels),
                       2835, 2835, 0, 0)
    offset = 14 + len(info)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    with open(path, "wb") as f:
        f.write(header + info + bytes(pixels))


def write_bmp(path, rows):
    """A tile of few colors as a 4- or 8-bit BMP with a palette of them, in sorted order: the same
    picture as 24 bits, in a sixth of the program's bytes for this tile."""
    colors = sorted(set(c for row in rows for c in row))
    if len(colors) > 256:
        write_bmp24(path, rows)
        return
    bits = 4 if len(colors) <= 16 else 8
    index = {c: i for i, c in enumerate(colors)}
    height = len(rows)
    width = len(rows[0])
    stride = ((width * bits + 31) // 32) * 4
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, c in enumerate(row):
            if bits == 8:
                line[x] = index[c]
            else:
                line[x // 2] |= index[c] << (4 if x % 2 == 0 else 0)
        pixels += line
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in colors)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(pixels),
                       2835, 2835, len(colors), 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    with open(path, "wb") as f:
        f.write(header + info + palette + bytes(pixels))


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    os.makedirs(out_dir, exist_ok=True)
    write_icon(os.path.join(out_dir, "mainico.ico"), [draw_main_icon(32), draw_main_icon(16)])
    write_icon(os.path.join(out_dir, "cardico.ico"), [draw_card_icon(32), draw_card_icon(16)])
    write_bmp(os.path.join(out_dir, "quorelbmp.bmp"), draw_background_tile())


if __name__ == "__main__":
    main()
