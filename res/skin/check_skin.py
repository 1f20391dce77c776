#!/usr/bin/python3
"""Checks the skin PNGs against what the launcher expects, in every set:
res/skin/ (96 DPI), res/skin/x1.5/ and res/skin/x2/ (skin_sets.py).

- every image exists with its exact pixel size at its scale (each frame of
  a strip px(frame width) wide);
- only 129 (the layered login background) has soft alpha: every other image
  has alpha 0 or 255 only, since the launcher blends other alpha with white;
- no opaque pixel is a near-magenta colour (exact 255,0,255 counts as
  transparent and is fine; 250,0,250 would show as a pink speck);
- 129's four corner pixels are fully transparent;
- window backgrounds are transparent only inside their 9 x 9 corners (the
  only place the launcher cuts), and the stretched frames 131/134 only inside
  their unscaled corner pieces;
- the frames of each button strip all differ from one another;
- the structure lands on the scaled 96-DPI edges: the gold hairline of the
  frames 131/134 fills rows px(29)..px(30)-1 and their light body starts at
  column px(4); the progress fill 153 stays px(2) inside the track.

Exit status 0 when everything holds, 1 otherwise.
Run: /usr/bin/python3 res/skin/check_skin.py
"""
import os
import sys

from PIL import Image

import skin_sets

HERE = os.path.dirname(os.path.abspath(__file__))

EXPECTED = skin_sets.IMAGES  # id: (width, height, frames) at 96 DPI
WINDOWS = {131, 134, 143, 146, 147, 162}  # backgrounds whose corners are cut
NINE_GRID = {131: (4, 30), 134: (4, 30)}  # border, title band height
MAGENTA = (255, 0, 255)
GOLD_LINE = (224, 172, 62)  # the title band's last row
BODY = (238, 242, 247)  # the light dialog body


def transparent(p):
    return p[3] == 0 or p[:3] == MAGENTA


def check_structure(ident, px, k, label, errors):
    """The frames' hairline and body and the progress fill's inset on their scaled edges."""
    def p(v):
        return skin_sets.px(v, k)
    if ident in NINE_GRID:
        w, h, _ = EXPECTED[ident]
        mid = p(w) // 2
        gold = [y for y in range(p(h)) if px[mid, y][:3] == GOLD_LINE]
        if gold != list(range(p(29), p(30))):
            errors.append('%s: gold hairline on rows %s, expected %d..%d' % (label, gold, p(29), p(30) - 1))
        if ident == 131:
            row = p(40)
            first = next((x for x in range(p(w)) if px[x, row][:3] == BODY), None)
            if first != p(4):
                errors.append('%s: body starts at column %s, expected %d' % (label, first, p(4)))
    if ident == 153:
        w, h, _ = EXPECTED[ident]
        rows = [y for y in range(p(h)) if any(px[x, y][3] for x in range(p(w)))]
        cols = [x for x in range(p(w)) if any(px[x, y][3] for y in range(p(h)))]
        if rows[0] < p(2) or rows[-1] >= p(h - 2) or cols[0] < p(2) or cols[-1] >= p(w - 2):
            errors.append('%s: fill outside the track\'s %d-pixel inset' % (label, p(2)))


def check(ident, im, k, label, errors):
    w, h = skin_sets.scaled_size(ident, k)
    frames = EXPECTED[ident][2]

    def p(v):
        return skin_sets.px(v, k)
    if im.size != (w, h):
        errors.append('%s: size %dx%d, expected %dx%d' % (label, im.size[0], im.size[1], w, h))
        return
    im = im.convert('RGBA')
    px = im.load()
    soft = near = 0
    for y in range(h):
        for x in range(w):
            r, g, b, a = px[x, y]
            if ident != 129 and 0 < a < 255:
                soft += 1
            if a > 0 and (r, g, b) != MAGENTA and r > 230 and b > 230 and g < 40:
                near += 1
    if soft:
        errors.append('%s: %d pixels with partial alpha' % (label, soft))
    if near:
        errors.append('%s: %d opaque near-magenta pixels' % (label, near))
    if ident == 129:
        for c in ((0, 0), (w - 1, 0), (0, h - 1), (w - 1, h - 1)):
            if px[c][3] != 0:
                errors.append('%s: corner %s not transparent' % (label, c))
    if ident in WINDOWS:
        corner = p(9)

        def may_cut(x, y):
            if not ((x < corner or x >= w - corner) and (y < corner or y >= h - corner)):
                return False
            if ident in NINE_GRID:  # the cut must lie in an unscaled corner piece
                b, c = (p(v) for v in NINE_GRID[ident])
                return (x < b or x >= w - b) and (y < c or y >= h - b)
            return True
        bad = [(x, y) for y in range(h) for x in range(w) if transparent(px[x, y]) and not may_cut(x, y)]
        if bad:
            errors.append('%s: %d transparent pixels outside the cut corners, e.g. %s'
                          % (label, len(bad), bad[:3]))
    check_structure(ident, px, k, label, errors)
    if frames > 1:
        fw = w // frames
        if fw != p(EXPECTED[ident][0] // frames):
            errors.append('%s: frames %d wide, expected %d' % (label, fw, p(EXPECTED[ident][0] // frames)))
        shots = [im.crop((i * fw, 0, (i + 1) * fw, h)).tobytes() for i in range(frames)]
        for i in range(frames):
            for j in range(i + 1, frames):
                if shots[i] == shots[j]:
                    errors.append('%s: frames %d and %d are identical' % (label, i, j))


def main():
    errors = []
    for folder, k, _ in skin_sets.SETS:
        for ident in sorted(EXPECTED):
            label = '%s%d' % (folder + '/' if folder else '', ident)
            path = os.path.join(HERE, folder, '%d.png' % ident)
            if not os.path.exists(path):
                errors.append('%s: missing %s' % (label, path))
                continue
            check(ident, Image.open(path), k, label, errors)
    for e in errors:
        print('FAIL', e)
    print('%d images checked, %d problems' % (len(EXPECTED) * len(skin_sets.SETS), len(errors)))
    return 1 if errors else 0


if __name__ == '__main__':
    sys.exit(main())
