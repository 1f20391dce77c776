#!/usr/bin/python3
"""Draws every skin image of the launcher at 1x, 1.5x and 2x.

All art is generated here, deterministically, with Pillow only: window
frames, title-band buttons, tabs, dialog push buttons, the notice pop-ups,
the progress bar and the layered login background (129). The 1x set is
res/skin/<id>.png; the sets for 144 and 192 DPI are res/skin/x1.5/<id>.png
and res/skin/x2/<id>.png (skin_sets.py has the sizes).

Each scale is drawn on its own, not resized: geometry is given in 96-DPI
pixels and a Scale puts it on the scale's pixels. Structural edges (the
frames' border and title band, the progress fill's inset, rows and columns
of whole-pixel art) land on the scaled, rounded edge, as the launcher scales
its layouts; curves, strokes and glyphs are scaled as vectors.

The launcher flattens each PNG itself: alpha 0 becomes the mask colour
(magenta, see-through), alpha 255 keeps its colour and any other alpha is
blended with white. So every image here except 129 is strictly two-level:
soft edges are pre-blended against the colour the piece will sit on (the
title band, the dialog body, the tab, the progress track) and then cut hard.

Rerun after editing:
    /usr/bin/python3 res/skin/draw_skin.py                 # writes the PNGs
    /usr/bin/python3 res/skin/draw_skin.py --preview build/skin-preview.png
    /usr/bin/python3 res/skin/check_skin.py                # size/alpha checks
"""
import argparse
import math
import os

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

import skin_sets

OUT_DIR = os.path.dirname(os.path.abspath(__file__))
SS = 8  # supersampling factor for coverage masks

# ---------------------------------------------------------------- palette --

OUTLINE = (11, 23, 40)          # outermost 1-px edge of every dark frame
BAND_HI = (78, 112, 158)        # 1-px highlight under the top edge
BAND_TOP = (43, 74, 114)        # #2b4a72, title band gradient, top
BAND_BOT = (27, 49, 80)         # #1b3150, title band gradient, bottom
GOLD = (240, 192, 64)           # #f0c040, accent
GOLD_LINE = (224, 172, 62)      # the hairline under title bands
GOLD_HI = (255, 226, 140)
GOLD_DK = (176, 128, 34)
FRAME_HI = (52, 86, 132)        # side borders: light and mid
FRAME_MID = (33, 59, 96)
BODY = (238, 242, 247)          # #eef2f7, light dialog body (black text)
BODY_LINE = (201, 212, 226)     # separators on the light body
MAIN_BODY = (22, 40, 66)        # dark body of the main window
NOTICE_BODY = (247, 249, 252)   # #f7f9fc
TEXT_NAVY = (19, 43, 67)        # notice title text colour (drawn by program)

GLYPH = (226, 234, 244)         # caption glyphs, normal
GLYPH_HOT = (255, 255, 255)
GLYPH_OFF = (112, 128, 150)     # disabled glyph on the band
GLYPH_SHADOW = (9, 19, 34)

HOVER = dict(edge=(25, 46, 76), top=(78, 118, 170), bot=(52, 88, 136),
             hi=(112, 148, 196))                          # averages #3d6496
PRESS = dict(edge=(12, 24, 42), top=(25, 46, 75), bot=(38, 68, 108),
             hi=(18, 34, 58))
RED_HOVER = dict(edge=(120, 30, 27), top=(232, 88, 80), bot=(203, 54, 48),
                 hi=(246, 140, 132))                      # averages #d9403a
RED_PRESS = dict(edge=(90, 20, 18), top=(150, 36, 32), bot=(178, 50, 44),
                 hi=(118, 28, 25))

MAGENTA = (255, 0, 255)


# ------------------------------------------------------------------ scale --

class Scale:
    """Puts 96-DPI geometry on the pixels of one set.

    px(v) is where the 96-DPI edge v lands; a 96-DPI pixel x covers pixels
    px(x) .. px(x + 1) - 1. At 1x every method gives back what it is given,
    of the same type, so the 1x drawing is exactly the 96-DPI one."""

    def __init__(self, k):
        self.k = k
        self.ss = int(SS * k)  # supersampled pixels per 96-DPI pixel

    def px(self, v):
        return skin_sets.px(v, self.k)

    def size(self, w, h):
        return self.px(w), self.px(h)

    def f(self, v):
        """A length or coordinate scaled as a vector (not rounded)."""
        return v if self.k == 1 else v * self.k

    def unpx(self, v):
        """Pixels of this set in 96-DPI units."""
        return v if self.k == 1 else v / self.k

    def at(self, p):
        """The 96-DPI coordinate of the centre of pixel p."""
        return p if self.k == 1 else (p + 0.5) / self.k - 0.5

    def cell(self, p):
        """The 96-DPI pixel that pixel p lies in."""
        if self.k == 1:
            return p
        x = int(p / self.k)
        while self.px(x + 1) <= p:
            x += 1
        while x > 0 and self.px(x) > p:
            x -= 1
        return x

    def box(self, x0, y0, x1, y1):
        """Inclusive pixel bounds of the inclusive 96-DPI bounds."""
        return [self.px(x0), self.px(y0), self.px(x1 + 1) - 1, self.px(y1 + 1) - 1]

    @property
    def one(self):
        """A 1-px line of the structure: as thick as a scaled pixel (1, 2, 2)."""
        return self.px(1)

    @property
    def thin(self):
        """A hairline of soft art: 1, 1 and 2 pixels."""
        return max(1, int(self.k))


ONE = Scale(1)


# ---------------------------------------------------------------- helpers --

def lerp(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def band_colour(y, z=ONE):
    """Pixel row y of the title band of the frames 131/134/162 (96-DPI rows 0..29)."""
    row = z.cell(y) if y > 0 else y
    if row <= 0:
        return OUTLINE
    if row == 1:
        return BAND_HI
    if row >= 29:
        return GOLD_LINE
    return lerp(BAND_TOP, BAND_BOT, (z.at(y) - 2) / 26.0)


def rows_image(w, h, colour_of_row):
    im = Image.new('RGB', (w, h))
    d = ImageDraw.Draw(im)
    for y in range(h):
        d.line([(0, y), (w - 1, y)], fill=colour_of_row(y))
    return im


def vgrad(w, h, top, bot, y0=0, y1=None, z=ONE):
    """w x h pixel image whose rows go from `top` at 96-DPI row y0 to `bot` at row y1."""
    y1 = h - 1 if y1 is None else y1
    span = max(1, y1 - y0)
    return rows_image(w, h, lambda y: lerp(top, bot, (z.at(y) - y0) / span))


def band_backdrop(w, h, top=0, z=ONE):
    """w x h pixels of the title band from 96-DPI row `top` down."""
    first = z.px(top)
    return rows_image(w, h, lambda y: band_colour(y + first, z))


def solid(w, h, colour):
    return Image.new('RGB', (w, h), colour)


def mask(z, size, paint):
    """Coverage mask (L) of `size` pixels of shapes drawn by paint(draw, s)
    supersampled: coordinates given to paint are 96-DPI edge coordinates
    times s."""
    w, h = size
    big = Image.new('L', (w * SS, h * SS), 0)
    paint(ImageDraw.Draw(big), z.ss)
    return big.resize(size, Image.BOX)


def rrect(z, size, box, r, top_only=False, bottom_only=False):
    """Mask of a rounded rectangle; box = inclusive 96-DPI pixel bounds
    x0,y0,x1,y1, whose edges land on the scaled edges."""
    x0, y0, x1, y1 = box

    def paint(d, s):
        rect = [z.px(x0) * SS, z.px(y0) * SS, z.px(x1 + 1) * SS - 1, z.px(y1 + 1) * SS - 1]
        if r <= 0:
            d.rectangle(rect, fill=255)
            return
        d.rounded_rectangle(rect, radius=z.f(r) * SS, fill=255)
        mid = (z.px(y0) + z.px(y1 + 1)) * SS // 2
        if top_only:
            d.rectangle([rect[0], mid, rect[2], rect[3]], fill=255)
        if bottom_only:
            d.rectangle([rect[0], rect[1], rect[2], mid], fill=255)
    return mask(z, size, paint)


def sub(a, b):
    return ImageChops.subtract(a, b)


def union(*ms):
    out = ms[0]
    for m in ms[1:]:
        out = ImageChops.lighter(out, m)
    return out


def intersect(a, b):
    return ImageChops.multiply(a, b)


def shift(m, dx, dy):
    """Mask moved by whole pixels, new area empty."""
    out = Image.new('L', m.size, 0)
    out.paste(m, (dx, dy))
    return out


def hard(m, threshold=128):
    return m.point(lambda v: 255 if v >= threshold else 0)


class Layer:
    """One frame being painted over a known backdrop.

    Paint calls composite colour over the backdrop by coverage; the result
    keeps only pixels that some paint covered (at least `threshold`), opaque,
    and makes everything else alpha 0. Soft edges thus carry the backdrop's
    colour in them and match it when the piece is drawn on that backdrop."""

    def __init__(self, backdrop):
        self.size = backdrop.size
        self.rgb = backdrop.copy()
        self.cover = Image.new('L', self.size, 0)

    def paint(self, fill, m):
        src = fill if isinstance(fill, Image.Image) else solid(*self.size, fill)
        self.rgb = Image.composite(src, self.rgb, m)
        self.cover = union(self.cover, m)

    def result(self, threshold=40):
        alpha = self.cover.point(lambda v: 255 if v >= threshold else 0)
        out = Image.new('RGBA', self.size, (0, 0, 0, 0))
        out.paste(self.rgb.convert('RGBA'), (0, 0), alpha)
        return out


def strip(frames):
    w = sum(f.size[0] for f in frames)
    h = frames[0].size[1]
    out = Image.new('RGBA', (w, h), (0, 0, 0, 0))
    x = 0
    for f in frames:
        out.paste(f, (x, 0))
        x += f.size[0]
    return out


def paint_plate(layer, z, box, r, style):
    """A rounded highlight plate: 1-px edge, gradient face, 1-px top line."""
    size = layer.size
    x0, y0, x1, y1 = box
    outer = rrect(z, size, box, r)
    inner = rrect(z, size, (x0 + 1, y0 + 1, x1 - 1, y1 - 1), max(0, r - 1))
    layer.paint(style['edge'], outer)
    layer.paint(vgrad(size[0], size[1], style['top'], style['bot'], y0 + 1, y1 - 1, z), inner)
    layer.paint(style['hi'], sub(inner, shift(inner, 0, z.thin)))


def fill_rows(im, z, x0, y0, x1, y1, colour):
    """Fills the inclusive 96-DPI pixel bounds, on their scaled edges."""
    ImageDraw.Draw(im).rectangle(z.box(x0, y0, x1, y1), fill=colour)


# ------------------------------------------------------------------ glyphs --
# Each glyph is a function (z, size, dx, dy) -> coverage mask of `size`
# pixels; dx/dy shift it by whole pixels (the pressed frame draws it one
# scaled pixel right and down).

def g_lines(segments, width):
    """Glyph from straight strokes; segment ends are pixel centres."""
    def glyph(z, size, dx, dy):
        ox, oy = z.unpx(dx), z.unpx(dy)

        def paint(d, s):
            for (ax, ay), (bx, by) in segments:
                pa = ((ax + ox + 0.5) * s, (ay + oy + 0.5) * s)
                pb = ((bx + ox + 0.5) * s, (by + oy + 0.5) * s)
                d.line([pa, pb], fill=255, width=int(round(width * s)))
        return mask(z, size, paint)
    return glyph


def g_rects(rects):
    """Glyph from whole-pixel rectangles (inclusive bounds): crisp. Each
    keeps its scaled position and its scaled length, so strokes of one
    width stay of one width."""
    def glyph(z, size, dx, dy):
        m = Image.new('L', size, 0)
        d = ImageDraw.Draw(m)
        for x0, y0, x1, y1 in rects:
            left, top = z.px(x0) + dx, z.px(y0) + dy
            d.rectangle([left, top, left + z.px(x1 + 1 - x0) - 1, top + z.px(y1 + 1 - y0) - 1], fill=255)
        return m
    return glyph


def g_polygon(points):
    """Glyph from a polygon; points are 96-DPI edge coordinates."""
    def glyph(z, size, dx, dy):
        ox, oy = z.unpx(dx), z.unpx(dy)
        return mask(z, size, lambda d, s: d.polygon([((x + ox) * s, (y + oy) * s) for x, y in points], fill=255))
    return glyph


def g_union(*glyphs):
    def glyph(z, size, dx, dy):
        return union(*[g(z, size, dx, dy) for g in glyphs])
    return glyph


def g_cross(cx, cy, half, width=1.6):
    return g_lines([((cx - half, cy - half), (cx + half, cy + half)),
                    ((cx - half, cy + half), (cx + half, cy - half))], width)


def g_pixel_cross(cx, cy, half, soft=90):
    """Small cross. At 1x on whole pixels: 1-px diagonals, their side
    neighbours at `soft` coverage so it reads a little bolder without going
    blurry; larger, a stroked cross of the same weight."""
    stroked = g_cross(cx, cy, half, 1.0 + 2 * soft / 255.0)

    def glyph(z, size, dx, dy):
        if z.k != 1:
            return stroked(z, size, dx, dy)
        m = Image.new('L', size, 0)
        px = m.load()
        w, h = size
        for i in range(-half, half + 1):
            for x, y in ((cx + i, cy + i), (cx + i, cy - i)):
                x, y = x + dx, y + dy
                for nx, v in ((x - 1, soft), (x + 1, soft), (x, 255)):
                    if 0 <= nx < w and 0 <= y < h:
                        px[nx, y] = max(px[nx, y], v)
        return m
    return glyph


def g_box(x0, y0, x1, y1, top=2):
    """Window outline: 1-px sides and bottom, thicker top."""
    return g_rects([(x0, y0, x1, y0 + top - 1), (x0, y0, x0, y1),
                    (x1, y0, x1, y1), (x0, y1, x1, y1)])


def g_restore(cx, cy):
    back = (cx - 2, cy - 4, cx + 4, cy + 2)
    front = (cx - 4, cy - 2, cx + 2, cy + 4)

    def glyph(z, size, dx, dy):
        fb = g_box(*back)(z, size, dx, dy)
        ff = g_box(*front)(z, size, dx, dy)
        hole = g_rects([front])(z, size, dx, dy)
        return union(sub(fb, hole), ff)
    return glyph


def g_speaker(cx, cy):
    """Speaker body and cone; cx is the cone's mouth column, cy the centre row."""
    def glyph(z, size, dx, dy):
        def paint(d, s):
            ox, oy = cx + z.unpx(dx), cy + z.unpx(dy)
            d.rectangle([(ox - 6) * s, (oy - 2) * s, (ox - 3) * s - 1, (oy + 3) * s - 1], fill=255)
            d.polygon([((ox - 3) * s, (oy - 2) * s), ((ox + 1) * s, (oy - 6) * s),
                       ((ox + 1) * s, (oy + 7) * s), ((ox - 3) * s, (oy + 3) * s)], fill=255)
        return mask(z, size, paint)
    return glyph


def g_waves(cx, cy):
    def glyph(z, size, dx, dy):
        def paint(d, s):
            ox, oy = (cx + z.unpx(dx) + 0.5) * s, (cy + z.unpx(dy) + 0.5) * s
            for r in (3.6, 6.8):
                d.arc([ox - r * s, oy - r * s, ox + r * s, oy + r * s], -52, 52,
                      fill=255, width=int(1.5 * s))
        return mask(z, size, paint)
    return glyph


# ------------------------------------------------------------ button strips --

CAPTION_GLYPH = dict(normal=GLYPH, hover=GLYPH_HOT, pressed=GLYPH_HOT, disabled=GLYPH_OFF)


def button_strip(z, fw, fh, glyph, plate_box, radius, hover, press, backdrop,
                 normal_plate=None, colours=CAPTION_GLYPH, shadow=True):
    """Four frames: normal, hover, pressed (plate darker, glyph +1,+1), disabled."""
    size = z.size(fw, fh)
    frames = []
    for state in ('normal', 'hover', 'pressed', 'disabled'):
        layer = Layer(backdrop)
        off = z.one if state == 'pressed' else 0
        if state == 'hover':
            paint_plate(layer, z, plate_box, radius, hover)
        elif state == 'pressed':
            paint_plate(layer, z, plate_box, radius, press)
        elif normal_plate is not None:
            normal_plate(layer, state)
        g = glyph(z, size, off, off)
        if shadow and state != 'disabled':
            layer.paint(GLYPH_SHADOW, intersect(shift(g, 0, z.thin), sub(Image.new('L', g.size, 255), g)).point(lambda v: v * 3 // 5))
        layer.paint(colours[state], g)
        frames.append(layer.result())
    return strip(frames)


def caption_button(z, fw, fh, glyph, red=False):
    """Title-band button: plate x 1..fw-2 (2..fw-3 for the wide close), y 3..25."""
    inset = 2 if fw > 30 else 1
    box = (inset, 3, fw - 1 - inset, 25)
    return button_strip(z, fw, fh, glyph, box, 3,
                        RED_HOVER if red else HOVER, RED_PRESS if red else PRESS,
                        band_backdrop(*z.size(fw, fh), 0, z))


def draw_132(z):
    return caption_button(z, 33, 28, g_cross(16, 14, 4.5, 1.7), red=True)


def draw_135(z):
    return caption_button(z, 27, 28, g_box(8, 9, 18, 19))


def draw_136(z):
    return caption_button(z, 27, 28, g_rects([(8, 17, 18, 18)]))


def draw_137(z):
    return caption_button(z, 27, 28, g_restore(13, 14))


def draw_138(z):
    """Hide: an eye struck through."""
    def eye(z, size, dx, dy):
        ox, oy = z.unpx(dx), z.unpx(dy)
        cx, cy = 13 + ox + 0.5, 14 + oy + 0.5
        half_w, half_h = 7.5, 4.2
        R = (half_w ** 2 + half_h ** 2) / (2 * half_h)
        off = R - half_h

        def lens(r):
            a = mask(z, size, lambda d, s: d.ellipse([(cx - r) * s, (cy + off - r) * s,
                                                      (cx + r) * s, (cy + off + r) * s], fill=255))
            b = mask(z, size, lambda d, s: d.ellipse([(cx - r) * s, (cy - off - r) * s,
                                                      (cx + r) * s, (cy - off + r) * s], fill=255))
            return intersect(a, b)
        ring = sub(lens(R), lens(R - 1.5))
        pupil = mask(z, size, lambda d, s: d.ellipse([(cx - 2.2) * s, (cy - 2.2) * s,
                                                      (cx + 2.2) * s, (cy + 2.2) * s], fill=255))
        line = [((13 + ox - 6, 14 + oy + 6), (13 + ox + 6, 14 + oy - 6))]
        gap = g_lines(line, 4.0)(z, size, 0, 0)
        slash = g_lines(line, 1.5)(z, size, 0, 0)
        return union(sub(union(ring, pupil), gap), slash)
    return caption_button(z, 27, 27, eye)


def draw_148(z):
    return caption_button(z, 27, 27, g_union(g_speaker(12, 14), g_cross(17, 14, 2.5, 1.5)))


def draw_149(z):
    return caption_button(z, 27, 27, g_union(g_speaker(11, 14), g_waves(11, 14)))


def draw_139(z):
    fw, fh = 44, 28
    if z.k == 1:
        arrow = g_rects([(36, 13, 40, 13), (37, 14, 39, 14), (38, 15, 38, 15)])
    else:
        arrow = g_polygon([(36, 13), (41, 13), (38.5, 15.8)])
    box = (1, 3, 42, 25)

    def faint(layer, state):
        outer = rrect(z, layer.size, box, 3)
        inner = rrect(z, layer.size, (2, 4, 41, 24), 2)
        layer.paint((58, 88, 128), sub(outer, inner))
    colours = dict(normal=(160, 182, 210), hover=GLYPH_HOT, pressed=GLYPH_HOT, disabled=GLYPH_OFF)
    return button_strip(z, fw, fh, arrow, box, 3, HOVER, PRESS, band_backdrop(*z.size(fw, fh), 0, z),
                        normal_plate=faint, colours=colours)


# --------------------------------------------------------------------- tabs --

TAB_TOP = 3  # tabs sit on title-band rows 3..24 of the main window
TAB_STYLES = [
    # normal, hot, current
    dict(edge=(84, 106, 138), top=(198, 211, 227), bot=(172, 188, 209), hi=(222, 230, 240), base=(150, 168, 192)),
    dict(edge=(96, 120, 152), top=(228, 236, 245), bot=(201, 215, 232), hi=(246, 249, 252), base=(172, 190, 212)),
    dict(edge=(110, 132, 160), top=(252, 253, 254), bot=(236, 241, 247), hi=(255, 255, 255), base=(214, 223, 234)),
]
TAB_CLOSE_BACK = (226, 233, 242)  # what the close box's soft edges assume


def row_mask(z, size, x0, y0, x1, y1):
    """Mask of the inclusive 96-DPI bounds on their scaled edges."""
    m = Image.new('L', size, 0)
    ImageDraw.Draw(m).rectangle(z.box(x0, y0, x1, y1), fill=255)
    return m


def draw_140(z):
    fw, fh = 189, 22
    size = z.size(fw, fh)
    frames = []
    for i, st in enumerate(TAB_STYLES):
        layer = Layer(band_backdrop(*size, TAB_TOP, z))
        outer = rrect(z, size, (0, 0, fw - 1, fh - 1), 4, top_only=True)
        inner = rrect(z, size, (1, 1, fw - 2, fh - 1), 3, top_only=True)
        layer.paint(st['edge'], outer)
        layer.paint(vgrad(*size, st['top'], st['bot'], 1, fh - 1, z), inner)
        layer.paint(st['hi'], sub(inner, shift(inner, 0, z.thin)))
        if i == 2:
            accent = intersect(inner, row_mask(z, size, 0, 1, fw - 1, 2))
            layer.paint(GOLD, accent)
            layer.paint(GOLD_HI, intersect(inner, row_mask(z, size, 0, 1, fw - 1, 1)))
            layer.paint(GOLD_DK, intersect(outer, sub(row_mask(z, size, 0, 0, fw - 1, 0), shift(inner, 0, 0))))
        else:
            layer.paint(st['base'], intersect(inner, row_mask(z, size, 0, fh - 1, fw - 1, fh - 1)))
        frames.append(layer.result(threshold=100))
    return strip(frames)


def draw_141(z):
    fw = fh = 13
    size = z.size(fw, fh)
    frames = []
    # shown: a crisp dark-grey cross, 7 x 7, centred on (6, 7)
    if z.k == 1:
        cross = Image.new('L', size, 0)
        d = ImageDraw.Draw(cross)
        for i in range(7):
            d.point((3 + i, 4 + i), fill=255)
            d.point((9 - i, 4 + i), fill=255)
        shown_threshold = 200
    else:
        cross = g_cross(6, 7, 3, 1.15)(z, size, 0, 0)
        shown_threshold = 110
    layer = Layer(solid(*size, TAB_CLOSE_BACK))
    layer.paint((72, 84, 102), cross)
    frames.append(layer.result(threshold=shown_threshold))
    for style in (RED_HOVER, RED_PRESS):
        layer = Layer(solid(*size, TAB_CLOSE_BACK))
        box = (1, 2, 11, 12)
        paint_plate(layer, z, box, 3, style)
        off = z.one if style is RED_PRESS else 0
        g = g_pixel_cross(6, 7, 2)(z, size, off, off)
        layer.paint(GLYPH_HOT, g)
        frames.append(layer.result(threshold=100))
    return strip(frames)


MUTE_MARK_LEFT = 162  # the mark's column in its tab: left of the close box
MUTE_MARK_TOP = 4     # its row: centred on the tab's 22 rows


def draw_163(z):
    """A muted account's mark on its tab: a small speaker struck by a red
    cross, one frame per tab frame (normal, hot, current), each pre-blended
    on that tab's own face and cut hard."""
    fw = fh = 13
    size = z.size(fw, fh)
    tabs = draw_140(z)
    speaker = mask(z, size, lambda d, s: (
        d.rectangle([0, 5 * s, 3 * s - 1, 9 * s - 1], fill=255),
        d.polygon([(3 * s, 5 * s), (6.5 * s, 1.5 * s), (6.5 * s, 11.5 * s), (3 * s, 9 * s)], fill=255)))
    cross = g_pixel_cross(10, 7, 2, soft=60)(z, size, 0, 0)
    frames = []
    for i in range(3):
        x = i * z.px(189) + z.px(MUTE_MARK_LEFT)
        y = z.px(MUTE_MARK_TOP)
        face = tabs.crop((x, y, x + size[0], y + size[1])).convert('RGB')
        layer = Layer(face)
        layer.paint((58, 70, 90), speaker)
        layer.paint((206, 52, 44), cross)
        frames.append(layer.result(threshold=100))
    return strip(frames)


def draw_142(z):
    w, h = 14, 16
    size = z.size(w, h)
    layer = Layer(band_backdrop(*size, 7, z))
    body = (214, 226, 240)

    def person(d, s):
        d.ellipse([2.4 * s, 0.6 * s, 8.6 * s, 6.8 * s], fill=255)
        d.rounded_rectangle([0.4 * s, 8.0 * s, 10.6 * s, 17 * s], radius=4.6 * s, fill=255)
    p = mask(z, size, person)
    plus = g_rects([(10, 9, 11, 14), (8, 11, 13, 12)])(z, size, 0, 0)
    t = z.thin
    gap = union(*[shift(plus, dx, dy) for dx in range(-t, t + 1) for dy in range(-t, t + 1)])
    p = sub(p, gap)
    layer.paint(body, p)
    layer.paint(GOLD, plus)
    return layer.result(threshold=90)


# ------------------------------------------------------------ push button --

PUSH = [
    dict(edge=(122, 142, 168), top=(253, 253, 253), bot=(223, 230, 238), hi=(255, 255, 255)),
    dict(edge=(201, 160, 64), top=(255, 246, 216), bot=(243, 217, 138), hi=(255, 252, 238)),
    dict(edge=(98, 118, 146), top=(213, 220, 229), bot=(238, 242, 246), hi=(190, 200, 213)),
    dict(edge=(189, 189, 189), top=(230, 230, 230), bot=(230, 230, 230), hi=(230, 230, 230)),
]


def draw_133(z):
    fw, fh = 57, 23
    frames = []
    for st in PUSH:
        layer = Layer(solid(*z.size(fw, fh), BODY))
        paint_plate(layer, z, (0, 0, fw - 1, fh - 1), 3, st)
        frames.append(layer.result(threshold=60))
    return strip(frames)


# ----------------------------------------------------------- window frames --

# The rounded corners of the frames: pixels of a corner whose centre lies
# outside a quarter circle are cut. At 96 DPI the top one cuts (0,0) (1,0)
# (2,0) (0,1) (0,2), the bottom one (0,0); both stay inside the 4-pixel
# corner pieces that the nine-grid does not stretch, at every scale.
TOP_CORNER = (3.5, 3.0)     # centre (both axes) and radius, 96-DPI pixels
BOTTOM_CORNER = (1.5, 1.2)


def corner_cut(z, w, h, x, y):
    """True when pixel (x, y) of a w x h frame is cut from its corners."""
    for (centre, radius), row in ((TOP_CORNER, y), (BOTTOM_CORNER, h - 1 - y)):
        c, r = z.f(centre), z.f(radius)
        for col in (x, w - 1 - x):
            u, v = col + 0.5, row + 0.5
            if u < c and v < c and (c - u) ** 2 + (c - v) ** 2 > r * r:
                return True
    return False


def ring_map(w, h, inside):
    """4-neighbour distance of each inside pixel to the outside (0 = edge)."""
    INF = 1 << 20
    dist = [[INF if inside(x, y) else -1 for x in range(w)] for y in range(h)]
    frontier = []
    for y in range(h):
        for x in range(w):
            if dist[y][x] < 0:
                continue
            for nx, ny in ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)):
                if not (0 <= nx < w and 0 <= ny < h) or dist[ny][nx] < 0:
                    dist[y][x] = 0
                    frontier.append((x, y))
                    break
    k = 0
    while frontier:
        nxt = []
        for x, y in frontier:
            for nx, ny in ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)):
                if 0 <= nx < w and 0 <= ny < h and dist[ny][nx] == INF:
                    dist[ny][nx] = k + 1
                    nxt.append((nx, ny))
        frontier = nxt
        k += 1
    return dist


def draw_frame(z, w, h, band, border, body, inner_edge):
    """Dark frame with a title band of `band` rows, a gold line as the band's
    last row, `border`-px sides and bottom, and a plain body; each ring and
    row of the 96-DPI frame covers its scaled pixels."""
    W, H = z.size(w, h)
    ring = ring_map(W, H, lambda x, y: not corner_cut(z, W, H, x, y))
    side = {4: [OUTLINE, FRAME_HI, FRAME_MID, inner_edge],
            3: [OUTLINE, FRAME_MID, inner_edge]}[border]
    im = Image.new('RGBA', (W, H), (0, 0, 0, 0))
    px = im.load()
    for Y in range(H):
        y = z.cell(Y)
        for X in range(W):
            if ring[Y][X] < 0:
                continue
            r = z.cell(ring[Y][X])
            if r == 0:
                c = OUTLINE
            elif y < band:
                if y == band - 1:
                    c = GOLD_LINE
                elif y == 1:
                    c = BAND_HI
                elif r == 1:  # a faint light edge down the band's sides
                    c = lerp(band_colour(Y, z), (255, 255, 255), 0.10)
                else:
                    c = band_colour(Y, z)
            elif r < border:
                c = side[r]
            else:
                c = body
            px[X, Y] = c + (255,)
    return im


def draw_131(z):
    return draw_frame(z, 30, 51, 30, 4, BODY, (120, 142, 172))


def draw_134(z):
    return draw_frame(z, 30, 51, 30, 4, MAIN_BODY, OUTLINE)


def draw_162(z):
    w, h = 284, 150
    im = draw_frame(z, w, h, 30, 3, BODY, (120, 142, 172))
    # button bar along the bottom: a separator and a slightly deeper tint
    fill_rows(im, z, 3, 102, w - 4, 102, BODY_LINE + (255,))
    fill_rows(im, z, 3, 103, w - 4, 103, (255, 255, 255, 255))
    fill_rows(im, z, 3, 104, w - 4, h - 4, (230, 236, 243, 255))
    return im


# ------------------------------------------------------------- notices --

def bell(z, size, cx, cy):
    """A bell of about 14 x 15 px centred on (cx, cy) (pixel-centre units)."""
    def paint(d, s):
        ox, oy = (cx + 0.5) * s, (cy + 0.5) * s

        def P(x, y):
            return (ox + x * s, oy + y * s)
        d.polygon([P(-1.2, -6.2), P(1.2, -6.2), P(4.6, -3.0), P(5.0, 2.4), P(7.0, 4.4),
                   P(7.0, 5.6), P(-7.0, 5.6), P(-7.0, 4.4), P(-5.0, 2.4), P(-4.6, -3.0)], fill=255)
        d.ellipse([P(-4.8, -6.4)[0], P(0, -6.4)[1], P(4.8, 0)[0], P(0, 0.4)[1]], fill=255)
        d.ellipse([P(-2.0, 5.4)[0], P(0, 5.4)[1], P(2.0, 0)[0], P(0, 8.6)[1]], fill=255)
        d.ellipse([P(-1.3, -8.6)[0], P(0, -8.6)[1], P(1.3, 0)[0], P(0, -5.9)[1]], fill=255)
    return mask(z, size, paint)


def header_rows(im, z, header):
    """The notice header's lines: highlight, gold hairline, the shade under it."""
    W = im.size[0]
    d = ImageDraw.Draw(im)
    for row, colour in ((1, BAND_HI), (header - 1, GOLD_LINE)):
        d.rectangle([0, z.px(row), W, z.px(row + 1) - 1], fill=colour)


def draw_notice(z, w, h, header, footer_top):
    """Light notice with a navy header carrying a bell badge."""
    R = 7
    size = z.size(w, h)
    W, H = size
    shape = hard(rrect(z, size, (0, 0, w - 1, h - 1), R))
    base = Image.new('RGB', size, NOTICE_BODY)
    head = vgrad(W, z.px(header), (48, 82, 126), BAND_BOT, 1, header - 2, z)
    base.paste(head, (0, 0))
    # a faint slanted sheen across the header
    sheen = Image.new('L', size, 0)
    sd = ImageDraw.Draw(sheen)
    f = z.f
    for x0, width, level in ((58, 26, 20), (92, 8, 14), (106, 3, 12)):
        sd.polygon([(f(x0 + header), 0), (f(x0 + header + width), 0), (f(x0 + width), f(header)),
                    (f(x0), f(header))], fill=level)
    base = Image.composite(solid(W, H, (150, 190, 240)), base, sheen)
    header_rows(base, z, header)
    d = ImageDraw.Draw(base)
    d.rectangle([0, z.px(header), W, z.px(header + 1) - 1], fill=(196, 206, 220))
    if footer_top:
        d.rectangle([0, z.px(footer_top), W, H], fill=(236, 241, 247))
        d.rectangle([0, z.px(footer_top), W, z.px(footer_top + 1) - 1], fill=(214, 223, 234))
    # badge: dark disc with a gold ring and a gold bell
    layer = Layer(base)
    cx, cy = 22, header // 2 - 1
    disc = mask(z, size, lambda dr, s: dr.ellipse([(cx + 0.5 - 13) * s, (cy + 0.5 - 13) * s,
                                                   (cx + 0.5 + 13) * s, (cy + 0.5 + 13) * s], fill=255))
    disc_in = mask(z, size, lambda dr, s: dr.ellipse([(cx + 0.5 - 11.6) * s, (cy + 0.5 - 11.6) * s,
                                                      (cx + 0.5 + 11.6) * s, (cy + 0.5 + 11.6) * s], fill=255))
    layer.paint(GOLD_DK, disc)
    layer.paint(vgrad(W, H, (22, 42, 70), (34, 62, 100), cy - 12, cy + 12, z), disc_in)
    layer.paint(vgrad(W, H, GOLD_HI, GOLD, cy - 8, cy + 7, z), bell(z, size, cx, cy))
    # frame: dark edge inside the rounded shape
    edge_in = erode(shape, z.one)
    ring1 = sub(shape, edge_in)
    out = Image.new('RGBA', size, (0, 0, 0, 0))
    out.paste(layer.rgb.convert('RGBA'), (0, 0), shape)
    edge = Image.new('RGBA', size, OUTLINE + (255,))
    out.paste(edge, (0, 0), ring1)
    # inner light line along the body sides and bottom
    inner = sub(edge_in, erode(shape, z.px(2)))
    body_rows = Image.new('L', size, 0)
    ImageDraw.Draw(body_rows).rectangle([0, z.px(header + 1), W, H], fill=255)
    out.paste(Image.new('RGBA', size, (255, 255, 255, 255)), (0, 0), intersect(inner, body_rows))
    return out


def shift_erode(m):
    """4-neighbour erosion of a hard mask."""
    out = m
    for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
        moved = Image.new('L', m.size, 0)
        moved.paste(m, (dx, dy))
        out = ImageChops.darker(out, moved)
    return out


def erode(m, times):
    for _ in range(times):
        m = shift_erode(m)
    return m


def picture_frame(im, z, x0, y0, x1, y1):
    d = ImageDraw.Draw(im)
    d.rectangle(z.box(x0, y0, x1, y1), fill=(186, 199, 216, 255))
    d.rectangle(z.box(x0 + 1, y0 + 1, x1 - 1, y1 - 1), fill=(255, 255, 255, 255))
    d.rectangle(z.box(x0 + 2, y0 + 2, x1 - 2, y1 - 2), fill=(232, 237, 244, 255))


def draw_143(z):
    im = draw_notice(z, 250, 191, 40, 161)
    picture_frame(im, z, 13, 65, 91, 148)
    return im


def draw_147(z):
    return draw_notice(z, 250, 167, 40, 139)


def draw_146(z):
    w, h = 160, 212
    R = 6
    size = z.size(w, h)
    W, H = size
    shape = hard(rrect(z, size, (0, 0, w - 1, h - 1), R, top_only=True))
    base = Image.new('RGB', size, NOTICE_BODY)
    base.paste(vgrad(W, z.px(22), (48, 82, 126), BAND_BOT, 1, 20, z), (0, 0))
    header_rows(base, z, 22)
    layer = Layer(base)
    layer.paint(vgrad(W, H, GOLD_HI, GOLD, 4, 17, z), bell(z, size, 12, 10))
    out = Image.new('RGBA', size, (0, 0, 0, 0))
    out.paste(layer.rgb.convert('RGBA'), (0, 0), shape)
    out.paste(Image.new('RGBA', size, OUTLINE + (255,)), (0, 0), sub(shape, erode(shape, z.one)))
    return out


def chip_button(z, fw, fh, box, radius, cross_c, backdrop):
    """Close chip: a faint outlined pill with a cross; red when hot."""
    def faint(layer, state):
        outer = rrect(z, layer.size, box, radius)
        x0, y0, x1, y1 = box
        inner = rrect(z, layer.size, (x0 + 1, y0 + 1, x1 - 1, y1 - 1), radius - 1)
        layer.paint((80, 112, 156) if state == 'normal' else (60, 84, 116), sub(outer, inner))
    return button_strip(z, fw, fh, g_cross(cross_c[0], cross_c[1], 3, 1.5), box, radius,
                        RED_HOVER, RED_PRESS, backdrop, normal_plate=faint)


def notice_header_backdrop(w, h, top, header=40, z=ONE):
    """w x h (96-DPI) of the notice header from its row `top` down."""
    full = vgrad(z.px(250), z.px(header), (48, 82, 126), BAND_BOT, 1, header - 2, z)
    W, H = z.size(w, h)
    first = z.px(top)
    return full.crop((0, first, W, first + H))


def draw_144(z):
    return chip_button(z, 36, 14, (0, 0, 34, 12), 6, (17, 6), notice_header_backdrop(36, 14, 3, z=z))


def draw_145(z):
    bd = vgrad(*z.size(54, 22), (48, 82, 126), BAND_BOT, 1, 20, z)
    return chip_button(z, 54, 22, (10, 4, 44, 16), 6, (27, 10), bd)


# -------------------------------------------------------------- progress --

def pill(z, w, h, inset):
    hh = h - 2 * inset
    return rrect(z, z.size(w, h), (inset, inset, w - 1 - inset, h - 1 - inset), hh / 2.0)


TRACK_TOP, TRACK_BOT = (20, 38, 64), (36, 64, 106)


def track_backdrop(z, w, h):
    return vgrad(*z.size(w, h), TRACK_TOP, TRACK_BOT, 1, h - 2, z)


def draw_152(z):
    w, h = 390, 21
    size = z.size(w, h)
    layer = Layer(solid(*size, BODY))
    outer = pill(z, w, h, 0)
    inner = pill(z, w, h, 1)
    # rim: shaded at the top, white highlight at the bottom
    layer.paint(vgrad(*size, (112, 130, 156), (255, 255, 255), 4, h - 2, z), outer)
    layer.paint(track_backdrop(z, w, h), inner)
    layer.paint((12, 24, 42), intersect(inner, sub(inner, shift(inner, 0, z.thin))))
    return layer.result(threshold=90)


def draw_153(z):
    w, h = 390, 21
    size = z.size(w, h)
    W, H = size
    layer = Layer(track_backdrop(z, w, h))
    body = pill(z, w, h, 2)
    grad = vgrad(W, H, (255, 216, 102), (233, 162, 28), 3, h - 4, z)
    # diagonal stripes, a touch lighter
    stripes = Image.new('L', size, 0)
    sd = ImageDraw.Draw(stripes)
    f = z.f
    for x in range(-h, w + h, 14):
        sd.polygon([(f(x), f(h)), (f(x + 6), f(h)), (f(x + 6 + h), 0), (f(x + h), 0)], fill=46)
    grad = Image.composite(solid(W, H, (255, 240, 190)), grad, stripes)
    layer.paint(grad, body)
    inner = pill(z, w, h, 3)
    layer.paint((255, 244, 200), intersect(inner, sub(inner, shift(inner, 0, z.thin))))
    layer.paint((196, 124, 12), intersect(body, sub(body, shift(body, 0, -z.thin))))
    return layer.result(threshold=90)


# -------------------------------------------------------------- banners --

def plaque(z, size, w, h, inset):
    """Mask of a long hexagonal plaque with 45-degree pointed ends."""
    y0, y1 = 1 + inset, h - 1 - inset
    m = 1 + inset * math.sqrt(2)
    k = (y1 - y0) / 2.0
    cy = (y0 + y1) / 2.0
    return mask(z, size, lambda d, s: d.polygon(
        [(m * s, cy * s), ((m + k) * s, y0 * s), ((w - m - k) * s, y0 * s), ((w - m) * s, cy * s),
         ((w - m - k) * s, y1 * s), ((m + k) * s, y1 * s)], fill=255))


def draw_banner(z, bright):
    """A title plaque: navy face, gold inner line, gold diamonds at the ends."""
    w, h = 316, 28
    size = z.size(w, h)
    layer = Layer(band_backdrop(*size, 1, z))
    top, bot = ((74, 112, 162), (44, 76, 120)) if bright else ((48, 82, 126), (24, 44, 74))
    gold = GOLD_HI if bright else GOLD
    layer.paint(OUTLINE, plaque(z, size, w, h, 0))
    layer.paint(vgrad(*size, top, bot, 2, h - 3, z), plaque(z, size, w, h, 1))
    face = plaque(z, size, w, h, 1)
    layer.paint(lerp(top, (255, 255, 255), 0.25), sub(face, shift(face, 0, z.thin)))
    layer.paint(gold, sub(plaque(z, size, w, h, 3), plaque(z, size, w, h, 4)))
    for cx in (22, w - 23):
        dm = mask(z, size, lambda d, s, cx=cx: d.polygon(
            [((cx + 0.5) * s, 9 * s), ((cx + 5) * s, 13.5 * s), ((cx + 0.5) * s, 18 * s),
             ((cx - 4) * s, 13.5 * s)], fill=255))
        layer.paint(gold, dm)
    return layer.result(threshold=100)


def draw_150(z):
    return draw_banner(z, False)


def draw_151(z):
    return draw_banner(z, True)


# ------------------------------------------------------ login background --

def draw_129(z):
    W, H = 768, 524
    size = z.size(W, H)
    PW, PH = size
    f = z.f
    px0, py0, px1, py1 = 12, 9, W - 13, H - 16  # panel bounds, inclusive
    R = 16
    panel = rrect(z, size, (px0, py0, px1, py1), R)

    # body: vertical gradient, a soft glow behind the top centre, faint rays
    body = vgrad(PW, PH, (34, 62, 100), (12, 24, 44), py0 + 40, py1, z)
    glow = Image.new('L', size, 0)
    ImageDraw.Draw(glow).ellipse([f(W // 2 - 330), f(-200), f(W // 2 + 330), f(300)], fill=90)
    glow = glow.filter(ImageFilter.GaussianBlur(f(60)))
    body = Image.composite(solid(PW, PH, (62, 104, 158)), body, glow)

    rays = Image.new('L', size, 0)
    rd = ImageDraw.Draw(rays)
    ox, oy = f(W * 0.78), f(-140)
    for i, a in enumerate(range(96, 170, 9)):
        a0 = math.radians(a)
        a1 = math.radians(a + 3.2 + (i % 3))
        L = f(1400)
        rd.polygon([(ox, oy), (ox + L * math.cos(a0), oy + L * math.sin(a0)),
                    (ox + L * math.cos(a1), oy + L * math.sin(a1))], fill=16 + 6 * (i % 2))
    fade = vgrad(PW, PH, (255, 255, 255), (0, 0, 0), 40, H - 60, z).convert('L')
    rays = ImageChops.multiply(rays.filter(ImageFilter.GaussianBlur(f(2))), fade)
    body = Image.composite(solid(PW, PH, (150, 190, 240)), body, rays)

    # a large slanted Z in the lower right, barely there, fading downwards
    def zed(d, s):
        x, y, zz, t, lean = 440, 215, 230, 38, 0.25
        pts = [(0, 0), (zz, 0), (zz, t), (t + 30, zz - t), (zz + 10, zz - t), (zz + 10, zz),
               (-10, zz), (-10, zz - t), (zz - t - 30, t), (0, t)]
        d.polygon([((x + px + (zz - py) * lean) * s, (y + py) * s) for px, py in pts], fill=255)
    zm = mask(z, size, zed)
    zfade = vgrad(PW, PH, (255, 255, 255), (50, 50, 50), 215, 445, z).convert('L')
    body = Image.composite(solid(PW, PH, (120, 166, 225)), body,
                           ImageChops.multiply(zm, zfade).point(lambda v: v * 20 // 255))
    zedge = sub(zm, zm.filter(ImageFilter.MinFilter(2 * z.thin + 1)))
    body = Image.composite(solid(PW, PH, GOLD), body,
                           ImageChops.multiply(zedge, zfade).point(lambda v: v * 40 // 255))

    # title band
    band_h = 40
    band = vgrad(PW, z.px(py0 + band_h) - z.px(py0), (52, 88, 134), (30, 55, 90), 0, band_h - 1, z)
    body.paste(band, (0, z.px(py0)))
    bd = ImageDraw.Draw(body)
    bd.rectangle([0, z.px(py0 + 1), PW, z.px(py0 + 2) - 1], fill=(86, 122, 170))
    bd.rectangle(z.box(px0 + 5, py0 + band_h, px1 - 5, py0 + band_h), fill=(200, 156, 56))
    bd.rectangle(z.box(px0 + 2, py0 + band_h + 1, px1 - 2, py0 + band_h + 1), fill=(10, 20, 36))

    # logo mark: steel tile with a gold Z, left of the band
    lx, ly, ls = px0 + 14, py0 + 8, 24
    tile = rrect(z, size, (lx, ly, lx + ls - 1, ly + ls - 1), 5)
    body = Image.composite(vgrad(PW, PH, (84, 124, 176), (44, 74, 118), ly, ly + ls, z), body, tile)
    zl = mask(z, size, lambda d, s: d.line([((lx + 6.5) * s, (ly + 7) * s), ((lx + 17.5) * s, (ly + 7) * s),
                                            ((lx + 6.5) * s, (ly + 17) * s), ((lx + 17.5) * s, (ly + 17) * s)],
                                           fill=255, width=int(2.6 * s), joint='curve'))
    body = Image.composite(solid(PW, PH, GOLD), body, zl)

    # frame: dark outer edge, light inner edge, gold hairline inset 5 px
    ring_outer = sub(panel, rrect(z, size, (px0 + 1, py0 + 1, px1 - 1, py1 - 1), R - 1))
    inner1 = rrect(z, size, (px0 + 1, py0 + 1, px1 - 1, py1 - 1), R - 1)
    inner2 = rrect(z, size, (px0 + 2, py0 + 2, px1 - 2, py1 - 2), R - 2)
    body = Image.composite(solid(PW, PH, (74, 110, 158)), body, sub(inner1, inner2))
    g1 = rrect(z, size, (px0 + 5, py0 + 5, px1 - 5, py1 - 5), R - 5)
    g2 = rrect(z, size, (px0 + 6, py0 + 6, px1 - 6, py1 - 6), R - 6)
    body = Image.composite(solid(PW, PH, (214, 170, 70)), body, sub(g1, g2).point(lambda v: v * 150 // 255))
    body = Image.composite(solid(PW, PH, (6, 12, 22)), body, ring_outer)

    # drop shadow, fading out before the image edge
    sh = Image.new('L', size, 0)
    ImageDraw.Draw(sh).rounded_rectangle([f(px0 + 1), f(py0 + 5), f(px1 - 1), f(py1 + 5)], radius=f(R), fill=150)
    sh = sh.filter(ImageFilter.GaussianBlur(f(5)))
    edge_fade = Image.new('L', size, 0)
    ef = ImageDraw.Draw(edge_fade)
    n = z.px(8)
    for i in range(n):
        ef.rectangle([i, i, PW - 1 - i, PH - 1 - i], fill=int(255 * i / n))
    ef.rectangle([n, n, PW - 1 - n, PH - 1 - n], fill=255)
    sh = ImageChops.multiply(sh, edge_fade)

    shadow = Image.new('RGBA', size, (4, 8, 16, 0))
    shadow.putalpha(sh)
    top = body.convert('RGBA')
    top.putalpha(panel)
    out = Image.alpha_composite(shadow, top)
    # alpha 0 pixels carry no colour
    a = out.getchannel('A')
    clear = a.point(lambda v: 255 if v == 0 else 0)
    out.paste((0, 0, 0, 0), (0, 0, PW, PH), clear)
    return out



# ---------------------------------------------------------------- preview --
# A review sheet: every image at 2x on a checkerboard and on what it sits on,
# and mock windows put together the way the launcher does it (nine-grid
# stretching, corner cut-outs, magenta keyed out of buttons).

FONT_PATHS = ['/usr/share/fonts/truetype/wqy/wqy-microhei.ttc',
              '/usr/share/fonts/truetype/droid/DroidSansFallbackFull.ttf',
              '/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf']


def font(px):
    for p in FONT_PATHS:
        if os.path.exists(p):
            return ImageFont.truetype(p, px)
    return ImageFont.load_default()


def flatten(im):
    """What the launcher makes of a PNG: alpha 0 -> magenta, partial alpha
    blended onto white, opaque kept. Returns RGB."""
    out = Image.new('RGB', im.size, MAGENTA)
    rgb = im.convert('RGB')
    a = im.getchannel('A')
    white = Image.composite(rgb, solid(*im.size, (255, 255, 255)), a)
    out.paste(white, (0, 0), a.point(lambda v: 255 if v else 0))
    return out


def keyed(im):
    """Flattened image with magenta made transparent (how buttons are drawn)."""
    rgb = flatten(im)
    key = ImageChops.difference(rgb, solid(*im.size, MAGENTA)).convert('L').point(lambda v: 255 if v else 0)
    out = rgb.convert('RGBA')
    out.putalpha(key)
    return out


def frame_of(im, n, i):
    w = im.size[0] // n
    return im.crop((w * i, 0, w * (i + 1), im.size[1]))


def checker(w, h, cell=8):
    im = Image.new('RGB', (w, h), (200, 200, 200))
    d = ImageDraw.Draw(im)
    for y in range(0, h, cell):
        for x in range(0, w, cell):
            if (x // cell + y // cell) % 2:
                d.rectangle([x, y, x + cell - 1, y + cell - 1], fill=(236, 236, 236))
    return im


def zoom(im, k=2):
    return im.resize((im.size[0] * k, im.size[1] * k), Image.NEAREST)


def nine_grid(src, W, H, b, c):
    """Window background W x H from a flattened bitmap, corners unscaled,
    with the corner cut-outs applied (alpha 0)."""
    w, h = src.size
    out = Image.new('RGB', (W, H))
    pieces = [((0, 0, b, c), (0, 0, b, c)), ((w - b, 0, w, c), (W - b, 0, W, c)),
              ((0, h - b, b, h), (0, H - b, b, H)), ((w - b, h - b, w, h), (W - b, H - b, W, H)),
              ((b, 0, w - b, c), (b, 0, W - b, c)), ((b, h - b, w - b, h), (b, H - b, W - b, H)),
              ((0, c, b, h - b), (0, c, b, H - b)), ((w - b, c, w, h - b), (W - b, c, W, H - b)),
              ((b, c, w - b, h - b), (b, c, W - b, H - b))]
    for s, d in pieces:
        piece = src.crop(s).resize((d[2] - d[0], d[3] - d[1]), Image.NEAREST)
        out.paste(piece, d[:2])
    win = out.convert('RGBA')
    px, sp = win.load(), src.load()
    for j in range(min(9, h)):
        for i in range(min(9, w)):
            for bx, by, wx, wy in ((i, j, i, j), (w - 1 - i, j, W - 1 - i, j),
                                   (i, h - 1 - j, i, H - 1 - j), (w - 1 - i, h - 1 - j, W - 1 - i, H - 1 - j)):
                if sp[bx, by] == MAGENTA:
                    px[wx, wy] = (0, 0, 0, 0)
    return win


def _cut_only(src):
    w, h = src.size
    win = src.convert('RGBA')
    px, sp = win.load(), src.load()
    for j in range(min(9, h)):
        for i in range(min(9, w)):
            for x, y in ((i, j), (w - 1 - i, j), (i, h - 1 - j), (w - 1 - i, h - 1 - j)):
                if sp[x, y] == MAGENTA:
                    px[x, y] = (0, 0, 0, 0)
    return win


def put(win, im, xy, n=1, i=0):
    piece = keyed(frame_of(im, n, i) if n > 1 else im)
    win.alpha_composite(piece, xy)


def text(win, xy, s, colour, px=12, anchor='la'):
    ImageDraw.Draw(win).text(xy, s, fill=colour, font=font(px), anchor=anchor)


def mock_main(imgs, states):
    W, H = 1060, 250
    win = nine_grid(flatten(imgs[134]), W, H, 4, 30)
    d = ImageDraw.Draw(win)
    d.rectangle([4, 30, W - 5, H - 5], fill=(90, 120, 150))
    d.rectangle([4, 30, W - 5, 60], fill=(60, 86, 116))
    text(win, (14, 66), '(game page)', (230, 236, 244), 12)
    text(win, (9, 7), 'Zuva', (255, 255, 255), 13)
    for i, (frame, label) in enumerate([(2, '账号一 (current)'), (1, '账号二 (hot)'), (0, '账号三')]):
        x = 120 + 189 * i
        put(win, imgs[140], (x, 3), 3, frame)
        text(win, (x + 16, 3 + 5), label, (0, 0, 0), 12)
        put(win, imgs[141], (x + 176, 3), 3, 1 if frame == 1 else 0)
    put(win, imgs[132], (W - 33, 0), 4, states.get(132, 0))
    put(win, imgs[135], (W - 60, 0), 4, states.get(135, 0))
    put(win, imgs[136], (W - 87, 0), 4, states.get(136, 0))
    put(win, imgs[138], (W - 114, 0), 4, states.get(138, 0))
    put(win, imgs[149], (W - 141, 0), 4, states.get(149, 0))
    put(win, imgs[139], (W - 185, 0), 4, states.get(139, 0))
    text(win, (W - 185 + 22, 14), '系统', (255, 255, 255), 12, 'mm')
    put(win, imgs[142], (W - 285, 7))
    text(win, (W - 285 + 17, 15), '登录其他账号', (255, 255, 255), 12, 'lm')
    return win


def mock_message(imgs, state=0):
    W, H = 300, 150
    win = nine_grid(flatten(imgs[131]), W, H, 4, 30)
    text(win, (9, 7), '提示', (255, 255, 255), 13)
    put(win, imgs[132], (W - 5 - 33, 1), 4, state)
    text(win, (W // 2, 62), '确定要关闭所有账号并退出吗？', (0, 0, 0), 12, 'mm')
    for i, (label, st) in enumerate([('确定', 1), ('取消', 0)]):
        x = W // 2 - 57 - 10 + i * 77
        put(win, imgs[133], (x, 104), 4, st)
        text(win, (x + 28, 104 + 11), label, (0, 0, 0), 12, 'mm')
    return win


def mock_update(imgs):
    W, H = 440, 120
    win = nine_grid(flatten(imgs[131]), W, H, 4, 30)
    text(win, (9, 7), '正在更新', (255, 255, 255), 13)
    put(win, imgs[132], (W - 5 - 33, 1), 4, 3)
    text(win, (25, 48), '正在下载新版本… 62%', (0, 0, 0), 12)
    x, y = 25, 72
    put(win, imgs[152], (x, y))
    fill = keyed(imgs[153])
    wdt = int(390 * 0.62)
    win.alpha_composite(fill.crop((0, 0, wdt // 2, 21)), (x, y))
    win.alpha_composite(fill.crop((390 - (wdt - wdt // 2), 0, 390, 21)), (x + wdt // 2, y))
    put(win, imgs[133], (W - 25 - 57, 88), 4, 3)
    text(win, (W - 25 - 28, 88 + 11), '取消', (128, 128, 128), 12, 'mm')
    return win


def mock_add(imgs):
    win = _cut_only(flatten(imgs[162]))
    text(win, (8, 7), '登录其他账号', (255, 255, 255), 13)
    put(win, imgs[132], (284 - 5 - 33, 1), 4, 0)
    for i, s in enumerate(['要在新的标签页中登录另一个账号吗？', '当前账号会继续保持在线，', '可以随时切换。']):
        text(win, (21, 52 + i * 16), s, (0, 0, 0), 12)
    for i, (label, x) in enumerate([('是', 130), ('否', 196)]):
        put(win, imgs[133], (x, 112), 4, 0)
        text(win, (x + 28, 112 + 11), label, (0, 0, 0), 12, 'mm')
    return win


def mock_notice_pt(imgs):
    win = _cut_only(flatten(imgs[143]))
    put(win, imgs[144], (250 - 3 - 36, 3), 4, 0)
    text(win, (100, 48), '新版本上线', TEXT_NAVY, 13)
    d = ImageDraw.Draw(win)
    d.rectangle([15, 67, 89, 146], fill=(120, 150, 190))
    text(win, (52, 106), 'picture', (255, 255, 255), 11, 'mm')
    for i, s in enumerate(['新服务器今晚开放，', '登录即可领取礼包。']):
        text(win, (100, 68 + i * 16), s, (40, 40, 40), 12)
    text(win, (195, 168), '详细>>', (30, 90, 180), 12)
    return win


def mock_notice_t(imgs):
    win = _cut_only(flatten(imgs[147]))
    put(win, imgs[144], (250 - 3 - 36, 3), 4, 1)
    text(win, (125, 45), '维护公告', TEXT_NAVY, 13, 'ma')
    for i, s in enumerate(['本周四 08:00-10:00 停机维护，', '维护期间无法登录游戏。']):
        text(win, (18, 65 + i * 16), s, (40, 40, 40), 12)
    text(win, (195, 145), '详细>>', (30, 90, 180), 12)
    return win


def mock_notice_p(imgs):
    win = _cut_only(flatten(imgs[146]))
    pic = vgrad(160, 190, (90, 130, 190), (30, 50, 90), 0, 189)
    win.paste(pic, (0, 22))
    text(win, (80, 117), 'picture', (255, 255, 255), 12, 'mm')
    put(win, imgs[145], (106, 0), 4, 0)
    return win


def preview(images):
    imgs = images
    lab = font(13)
    blocks = []
    titles = []

    def block(title, pictures):
        """pictures: list of RGBA images (already composed)."""
        pad = 8
        w = max(sum(p.size[0] for p in pictures) + pad * (len(pictures) - 1), 300)
        h = max(p.size[1] for p in pictures) + 22
        im = Image.new('RGBA', (w + 2 * pad, h + pad), (58, 62, 70, 255))
        ImageDraw.Draw(im).text((pad, 3), title, fill=(255, 255, 255), font=lab)
        x = pad
        for p in pictures:
            im.alpha_composite(p, (x, 20))
            x += p.size[0] + pad
        blocks.append(im)
        titles.append(title)

    def on(bg, im, xy=(0, 0)):
        base = bg.convert('RGBA')
        base.alpha_composite(im, xy)
        return base

    def on_checker(im, k=2):
        z = zoom(keyed(im) if im is not imgs[129] else im, k)
        return on(checker(*z.size), z)

    band_pieces = [132, 135, 136, 137, 138, 148, 149, 139]
    for ident in band_pieces:
        im = imgs[ident]
        w, h = im.size
        over_band = on(band_backdrop(w, h), keyed(im))
        block('%d  %dx%d  (checker | on title band)' % (ident, w, h),
              [on_checker(im), zoom(over_band)])
    block('142  14x16  (checker | on title band, 8x)',
          [on_checker(imgs[142], 8), zoom(on(band_backdrop(14, 16, 7), keyed(imgs[142])), 8)])
    tabs = imgs[140]
    over = on(band_backdrop(567, 22, TAB_TOP), keyed(tabs))
    block('140  567x22  tabs normal | hot | current  (checker, then on band)', [on_checker(tabs)])
    block('140 on band', [zoom(over)])
    tab_cb = []
    for f in range(3):
        t = on(band_backdrop(189, 22, TAB_TOP), keyed(frame_of(tabs, 3, [0, 1, 2][f])))
        t.alpha_composite(keyed(frame_of(imgs[141], 3, f)), (176, 0))
        tab_cb.append(zoom(t.crop((150, 0, 189, 22)), 4))
    block('141  39x13  (checker 4x | close box frames on tabs 4x)', [on_checker(imgs[141], 4)] + tab_cb)
    block('133  228x23  push button  (checker | on dialog body)',
          [on_checker(imgs[133]), zoom(on(solid(228, 23, BODY), keyed(imgs[133])))])
    pb = on(solid(390, 21, BODY), keyed(imgs[152]))
    pb2 = pb.copy()
    pb2.alpha_composite(keyed(imgs[153]))
    block('152 / 153  progress track and fill  (checker | track on body | fill over track)',
          [on_checker(imgs[152]), on_checker(imgs[153])])
    block('152+153', [zoom(pb), zoom(pb2)])
    block('150 / 151  banners', [on_checker(imgs[150]), on_checker(imgs[151])])
    block('131 / 134  frames 30x51, 4x', [on_checker(imgs[131], 4), on_checker(imgs[134], 4)])
    block('144 / 145  notice close buttons (checker | on header)',
          [on_checker(imgs[144]), zoom(on(notice_header_backdrop(144, 14, 3), keyed(imgs[144]))),
           on_checker(imgs[145])])
    block('143 / 147 / 146 / 162  (checker, 2x)',
          [on_checker(imgs[143]), on_checker(imgs[147]), on_checker(imgs[146]), on_checker(imgs[162])])
    desk = vgrad(768, 524, (120, 150, 120), (60, 90, 140), 0, 523).convert('RGBA')
    block('129  768x524 login background (on checker | on a desktop)',
          [on(checker(768, 524), imgs[129]), on(desk, imgs[129])])

    main = mock_main(imgs, {})
    main_hover = mock_main(imgs, {132: 1, 135: 2, 136: 3, 138: 1, 149: 2, 139: 1})
    block('mock main window (1060x250) normal', [on(checker(*main.size), main)])
    block('mock main window: close hover, max pressed, min disabled, hide hover, sound pressed, menu hover',
          [on(checker(*main.size), main_hover)])
    block('mock main, title area 2x (left)', [zoom(on(checker(*main.size), main_hover).crop((0, 0, 530, 40)))])
    block('mock main, title area 2x (right)', [zoom(on(checker(*main.size), main_hover).crop((530, 0, 1060, 40)))])
    block('mock dialogs (1x)', [on(checker(300, 150), mock_message(imgs)), on(checker(440, 120), mock_update(imgs)),
                                on(checker(284, 150), mock_add(imgs))])
    block('mock dialogs (2x)', [zoom(on(checker(300, 150), mock_message(imgs, 1))), zoom(on(checker(284, 150), mock_add(imgs)))])
    block('mock notices (1x | 2x)', [on(checker(250, 191), mock_notice_pt(imgs)), on(checker(250, 167), mock_notice_t(imgs)),
                                     on(checker(160, 212), mock_notice_p(imgs))])
    block('mock notices 2x', [zoom(on(checker(250, 191), mock_notice_pt(imgs))), zoom(on(checker(250, 167), mock_notice_t(imgs))),
                              zoom(on(checker(160, 212), mock_notice_p(imgs)))])

    W = max(b.size[0] for b in blocks)
    H = sum(b.size[1] for b in blocks)
    sheet = Image.new('RGBA', (W, H), (58, 62, 70, 255))
    y = 0
    for b in blocks:
        sheet.alpha_composite(b, (0, y))
        y += b.size[1]
    preview.offsets = [(t, o) for t, o in zip(titles, _running(blocks))]
    return sheet.convert('RGB')


def _running(blocks):
    y = 0
    for b in blocks:
        yield y, b.size[0], b.size[1]
        y += b.size[1]


# ------------------------------------------------------------------ table --

DRAW = {
    129: draw_129, 131: draw_131, 132: draw_132, 133: draw_133, 134: draw_134,
    135: draw_135, 136: draw_136, 137: draw_137, 138: draw_138, 139: draw_139,
    140: draw_140, 141: draw_141, 142: draw_142, 143: draw_143, 144: draw_144,
    145: draw_145, 146: draw_146, 147: draw_147, 148: draw_148, 149: draw_149,
    150: draw_150, 151: draw_151, 152: draw_152, 153: draw_153, 162: draw_162,
    163: draw_163,
}


def draw_set(k, out_dir):
    """Draws every image at scale k into out_dir; returns them by id."""
    os.makedirs(out_dir, exist_ok=True)
    z = Scale(k)
    images = {}
    for ident, fn in sorted(DRAW.items()):
        im = fn(z).convert('RGBA')
        size = skin_sets.scaled_size(ident, k)
        if im.size != size:
            raise SystemExit('%d at %gx: drew %s, expected %s' % (ident, k, im.size, size))
        im.save(os.path.join(out_dir, '%d.png' % ident), optimize=True)
        images[ident] = im
    return images


def main():
    ap = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    ap.add_argument('--preview', metavar='PATH', help='also write a review sheet (1x) to PATH')
    args = ap.parse_args()
    for folder, k, _ in skin_sets.SETS:
        out_dir = os.path.join(OUT_DIR, folder)
        drawn = draw_set(k, out_dir)
        if k == 1:
            images = drawn
        print('wrote %d images to %s' % (len(drawn), out_dir))
    if args.preview:
        sheet = preview(images)
        os.makedirs(os.path.dirname(os.path.abspath(args.preview)), exist_ok=True)
        sheet.save(args.preview)
        print('wrote preview %s (%d x %d)' % (args.preview, sheet.size[0], sheet.size[1]))
        for title, (y, w, h) in preview.offsets:
            print('  y %5d  %4dx%-4d %s' % (y, w, h, title))


if __name__ == '__main__':
    main()
