#!/usr/bin/env python3
"""Draws the editors' icon, a calendar page with a tally of days, and writes tallyvane.ico.

Every size is drawn on its own pixel grid, so the strokes stay sharp at 16 px; edges are
anti-aliased by supersampling. 256 px is stored as PNG, the others as 32-bit bitmaps.
Usage: make_icon.py [OUTPUT]   (default: tallyvane.ico beside this script)
"""
import os
import struct
import sys
import zlib

SIZES = (16, 20, 24, 32, 40, 48, 64, 256)

INK = (38, 50, 56)       # outline, rings and tally strokes
PAPER = (255, 255, 255)
HEADER = (216, 67, 21)   # the calendar's coloured top band


def rounded_rect(left, top, right, bottom, radius):
    def inside(x, y):
        if not (left <= x < right and top <= y < bottom):
            return False
        cx = min(max(x, left + radius), right - radius)
        cy = min(max(y, top + radius), bottom - radius)
        return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2
    return inside


def stroke(x0, y0, x1, y1, width):
    """A straight stroke with round ends."""
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy
    half2 = (width / 2) ** 2

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
        px, py = x0 + t * dx, y0 + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= half2
    return inside


def both(a, b):
    return lambda x, y: a(x, y) and b(x, y)


def layers(size):
    """The shapes of one size, back to front, on that size's pixel grid."""
    s = size
    line = max(1, round(s / 20))            # outline width
    page = (round(s * 0.06), round(s * 0.12), s - round(s * 0.06), s - round(s * 0.04))
    left, top, right, bottom = page
    radius = max(1.0, s * 0.12)
    inner = rounded_rect(left + line, top + line, right - line, bottom - line,
                         max(0.5, radius - line))
    header_bottom = top + max(3, round(s * 0.26))
    shapes = [
        (INK, rounded_rect(left, top, right, bottom, radius)),
        (PAPER, inner),
        (HEADER, both(inner, lambda x, y: y < header_bottom)),
    ]
    if s >= 24:  # the binding rings, where there is room for them
        ring_w = max(2, round(s * 0.08))
        for centre in (0.32, 0.68):
            x = round(s * centre) - ring_w // 2
            shapes.append((INK, rounded_rect(x, round(s * 0.04), x + ring_w,
                                             top + round(s * 0.12), ring_w / 2)))
    # Four upright strokes and one across: a tally of five.
    bar = max(1, round(s * 0.07))
    gap = max(1, round(s * 0.075))
    body_top = header_bottom + max(1, round(s * 0.09))
    body_bottom = bottom - line - max(1, round(s * 0.09))
    span = 4 * bar + 3 * gap
    first = (left + right - span) // 2
    for i in range(4):
        x = first + i * (bar + gap)
        shapes.append((INK, rounded_rect(x, body_top, x + bar, body_bottom, 0)))
    shapes.append((INK, stroke(first - bar * 0.8, body_bottom - bar * 0.6,
                               first + span + bar * 0.8, body_top + bar * 0.6, bar * (1.15 if s >= 32 else 0.9))))
    return shapes


def render(size):
    """Straight-alpha RGBA rows, top to bottom."""
    n = 8 if size < 64 else 4
    offsets = [(i + 0.5) / n for i in range(n)]
    shapes = layers(size)
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            r = g = b = a = 0.0  # premultiplied
            for colour, inside in shapes:
                cover = sum(inside(x + ox, y + oy) for oy in offsets for ox in offsets) / n ** 2
                if cover == 0:
                    continue
                r = colour[0] * cover + r * (1 - cover)
                g = colour[1] * cover + g * (1 - cover)
                b = colour[2] * cover + b * (1 - cover)
                a = cover + a * (1 - cover)
            if a == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append((round(r / a), round(g / a), round(b / a), round(a * 255)))
        rows.append(row)
    return rows


def png(rows):
    size = len(rows)
    raw = b"".join(b"\0" + bytes(v for pixel in row for v in pixel) for row in rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def bitmap(rows):
    size = len(rows)
    info = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for r, g, b, a in row)
    mask_stride = (size + 31) // 32 * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, pixel in enumerate(row):
            if pixel[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return info + colour + bytes(mask)


def main():
    output = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "tallyvane.ico")
    images = [png(render(s)) if s >= 256 else bitmap(render(s)) for s in SIZES]
    directory = struct.pack("<HHH", 0, 1, len(SIZES))
    offset = len(directory) + 16 * len(SIZES)
    for s, image in zip(SIZES, images):
        directory += struct.pack("<BBBBHHII", s % 256, s % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open(output, "wb") as out:
        out.write(directory + b"".join(images))


if __name__ == "__main__":
    main()
