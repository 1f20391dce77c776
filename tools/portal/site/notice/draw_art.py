#!/usr/bin/python3
"""Draws the notice pictures the tests publish (Pillow only, deterministic):
art-small.jpg beside the notice text (69 x 76), art-tall.jpg alone (160 x 190)."""
import os
from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
FONT = '/usr/share/fonts/truetype/wqy/wqy-microhei.ttc'


def lerp(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def scene(w, h, caption):
    im = Image.new('RGB', (w, h))
    d = ImageDraw.Draw(im)
    sky_top, sky_mid, sky_low = (22, 36, 78), (92, 70, 140), (242, 150, 88)
    for y in range(h):
        t = y / max(1, h - 1)
        d.line([(0, y), (w, y)], fill=lerp(sky_top, sky_mid, t / 0.55) if t < 0.55 else lerp(sky_mid, sky_low, (t - 0.55) / 0.45))
    # a low sun and two ridges of mountains
    r = w // 6
    d.ellipse([w * 0.62 - r, h * 0.70 - r, w * 0.62 + r, h * 0.70 + r], fill=(255, 214, 120))
    d.polygon([(0, h * 0.74), (w * 0.22, h * 0.52), (w * 0.42, h * 0.70), (w * 0.66, h * 0.48), (w, h * 0.72), (w, h), (0, h)],
              fill=(58, 44, 92))
    d.polygon([(0, h * 0.86), (w * 0.30, h * 0.70), (w * 0.55, h * 0.84), (w * 0.80, h * 0.74), (w, h * 0.84), (w, h), (0, h)],
              fill=(30, 24, 54))
    # a tower with a gold banner
    tx, tw = int(w * 0.18), max(6, w // 9)
    d.rectangle([tx, int(h * 0.50), tx + tw, int(h * 0.86)], fill=(24, 20, 44))
    for i in range(3):
        bx = tx + i * tw // 3
        d.rectangle([bx, int(h * 0.47), bx + tw // 6, int(h * 0.50)], fill=(24, 20, 44))
    d.line([(tx + tw // 2, int(h * 0.47)), (tx + tw // 2, int(h * 0.36))], fill=(24, 20, 44), width=1)
    d.polygon([(tx + tw // 2, int(h * 0.36)), (tx + tw // 2 + tw, int(h * 0.39)), (tx + tw // 2, int(h * 0.42))],
              fill=(240, 192, 64))
    # stars
    for sx, sy in ((0.1, 0.08), (0.35, 0.15), (0.8, 0.1), (0.55, 0.05), (0.9, 0.25)):
        d.point((int(w * sx), int(h * sy)), fill=(255, 255, 230))
    if caption:
        size = max(12, w // 7)
        font = ImageFont.truetype(FONT, size)
        tw_, th_ = d.textbbox((0, 0), caption, font=font)[2:]
        x, y = (w - tw_) // 2, int(h * 0.12)
        d.text((x + 1, y + 1), caption, font=font, fill=(20, 16, 40))
        d.text((x, y), caption, font=font, fill=(255, 228, 150))
    return im


if __name__ == '__main__':
    scene(69, 76, '').save(os.path.join(HERE, 'art-small.jpg'), quality=92)
    scene(160, 190, '新服开启').save(os.path.join(HERE, 'art-tall.jpg'), quality=92)
