#!/usr/bin/python3
"""Checks the skin PNGs in res/skin/ against what the launcher expects.

- every image exists with its exact pixel size;
- only 129 (the layered login background) has soft alpha: every other image
  has alpha 0 or 255 only, since the launcher blends other alpha with white;
- no opaque pixel is a near-magenta colour (exact 255,0,255 counts as
  transparent and is fine; 250,0,250 would show as a pink speck);
- 129's four corner pixels are fully transparent;
- window backgrounds are transparent only inside their 9 x 9 corners (the
  only place the launcher cuts), and the stretched frames 131/134 only inside
  their unscaled corner pieces;
- the frames of each button strip all differ from one another.

Exit status 0 when everything holds, 1 otherwise.
Run: /usr/bin/python3 res/skin/check_skin.py
"""
import os
import sys

from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))

# id: (width, height, frames)
EXPECTED = {
    129: (768, 524, 1), 131: (30, 51, 1), 132: (132, 28, 4), 133: (228, 23, 4),
    134: (30, 51, 1), 135: (108, 28, 4), 136: (108, 28, 4), 137: (108, 28, 4),
    138: (108, 27, 4), 139: (176, 28, 4), 140: (567, 22, 3), 141: (39, 13, 3),
    142: (14, 16, 1), 143: (250, 191, 1), 144: (144, 14, 4), 145: (216, 22, 4),
    146: (160, 212, 1), 147: (250, 167, 1), 148: (108, 27, 4), 149: (108, 27, 4),
    150: (316, 28, 1), 151: (316, 28, 1), 152: (390, 21, 1), 153: (390, 21, 1),
    162: (284, 150, 1), 163: (39, 13, 3),
}
WINDOWS = {131, 134, 143, 146, 147, 162}  # backgrounds whose corners are cut
NINE_GRID = {131: (4, 30), 134: (4, 30)}  # border, title band height
MAGENTA = (255, 0, 255)


def transparent(p):
    return p[3] == 0 or p[:3] == MAGENTA


def check(ident, im, errors):
    w, h, frames = EXPECTED[ident]
    if im.size != (w, h):
        errors.append('%d: size %dx%d, expected %dx%d' % (ident, im.size[0], im.size[1], w, h))
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
        errors.append('%d: %d pixels with partial alpha' % (ident, soft))
    if near:
        errors.append('%d: %d opaque near-magenta pixels' % (ident, near))
    if ident == 129:
        for c in ((0, 0), (w - 1, 0), (0, h - 1), (w - 1, h - 1)):
            if px[c][3] != 0:
                errors.append('129: corner %s not transparent' % (c,))
    if ident in WINDOWS:
        def may_cut(x, y):
            if not ((x < 9 or x >= w - 9) and (y < 9 or y >= h - 9)):
                return False
            if ident in NINE_GRID:  # the cut must lie in an unscaled corner piece
                b, c = NINE_GRID[ident]
                return (x < b or x >= w - b) and (y < c or y >= h - b)
            return True
        bad = [(x, y) for y in range(h) for x in range(w) if transparent(px[x, y]) and not may_cut(x, y)]
        if bad:
            errors.append('%d: %d transparent pixels outside the cut corners, e.g. %s'
                          % (ident, len(bad), bad[:3]))
    if frames > 1:
        if w % frames:
            errors.append('%d: width %d not divisible by %d frames' % (ident, w, frames))
        fw = w // frames
        shots = [im.crop((i * fw, 0, (i + 1) * fw, h)).tobytes() for i in range(frames)]
        for i in range(frames):
            for j in range(i + 1, frames):
                if shots[i] == shots[j]:
                    errors.append('%d: frames %d and %d are identical' % (ident, i, j))


def main():
    errors = []
    for ident in sorted(EXPECTED):
        path = os.path.join(HERE, '%d.png' % ident)
        if not os.path.exists(path):
            errors.append('%d: missing %s' % (ident, path))
            continue
        check(ident, Image.open(path), errors)
    for e in errors:
        print('FAIL', e)
    print('%d images checked, %d problems' % (len(EXPECTED), len(errors)))
    return 1 if errors else 0


if __name__ == '__main__':
    sys.exit(main())
