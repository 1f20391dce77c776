#!/usr/bin/env python3
"""Draws the launcher's icon (res/Zuva.ico): a steel-blue rounded tile with a
gold "Z" stroke, at 16, 32 and 48 pixels, 32-bit with alpha. Standard library only."""
import math
import struct
import sys
from pathlib import Path


def coverage(px, py, inside, samples=4):
    """Fraction of the pixel (px, py) that `inside` covers (supersampled)."""
    hit = 0
    for sy in range(samples):
        for sx in range(samples):
            if inside(px + (sx + 0.5) / samples, py + (sy + 0.5) / samples):
                hit += 1
    return hit / (samples * samples)


def seg_dist(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(x - (ax + t * dx), y - (ay + t * dy))


def draw(n):
    """Returns n*n RGBA tuples, top row first."""
    r = n * 0.22
    def tile(x, y):
        cx = min(max(x, r), n - r)
        cy = min(max(y, r), n - r)
        return math.hypot(x - cx, y - cy) <= r
    w = n * 0.09
    m = n * 0.27
    z = [(m, m), (n - m, m), (m, n - m), (n - m, n - m)]
    def stroke(x, y):
        return any(seg_dist(x, y, *z[i], *z[i + 1]) <= w for i in range(3))
    pixels = []
    for y in range(n):
        for x in range(n):
            a = coverage(x, y, tile)
            if a == 0:
                pixels.append((0, 0, 0, 0))
                continue
            t = y / n  # vertical gradient: lighter at the top
            base = (int(40 + 40 * (1 - t)), int(70 + 50 * (1 - t)), int(120 + 60 * (1 - t)))
            s = coverage(x, y, stroke)
            gold = (250, 196, 60)
            rgb = tuple(int(base[i] * (1 - s) + gold[i] * s) for i in range(3))
            pixels.append(rgb + (int(255 * a),))
    return pixels


def dib(n, pixels):
    header = struct.pack('<IiiHHIIiiII', 40, n, 2 * n, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = []
    for y in reversed(range(n)):  # bottom-up
        rows.append(b''.join(struct.pack('BBBB', p[2], p[1], p[0], p[3])
                             for p in pixels[y * n:(y + 1) * n]))
    mask_row = ((n + 31) // 32) * 4
    mask = bytearray()
    for y in reversed(range(n)):
        bits = bytearray(mask_row)
        for x in range(n):
            if pixels[y * n + x][3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + b''.join(rows) + bytes(mask)


def main(out):
    sizes = [16, 32, 48]
    images = [dib(n, draw(n)) for n in sizes]
    data = struct.pack('<HHH', 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for n, img in zip(sizes, images):
        data += struct.pack('<BBBBHHII', n, n, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    Path(out).write_bytes(data + b''.join(images))


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else str(Path(__file__).with_name('Zuva.ico')))
