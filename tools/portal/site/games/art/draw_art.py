#!/usr/bin/python3
"""Draws the game screens the portal's game pages show (Pillow only,
deterministic): a landscape with a castle and a hero, and the game's own
controls over it (portrait, health and mana, a small map, a skill bar).
s12.jpg: dusk; s13.jpg: a moonlit night. 900 x 560 each."""
import math
import os
import random

from PIL import Image, ImageDraw, ImageFilter, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
FONT = '/usr/share/fonts/truetype/wqy/wqy-microhei.ttc'
W, H = 900, 560

DUSK = dict(sky=[(24, 30, 74), (112, 64, 132), (246, 148, 84)], sun=(255, 214, 128), glow=(255, 170, 90),
            ridges=[(94, 62, 118), (64, 42, 92), (38, 28, 62)], ground=(30, 24, 44), road=(92, 70, 86),
            lights=(255, 200, 96), seed=12)
NIGHT = dict(sky=[(6, 12, 34), (18, 48, 88), (56, 112, 128)], sun=(232, 240, 255), glow=(120, 170, 210),
             ridges=[(34, 70, 96), (22, 48, 70), (12, 30, 46)], ground=(10, 22, 32), road=(44, 70, 84),
             lights=(150, 230, 255), seed=13)


def lerp(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def sky(d, stops):
    for y in range(H):
        t = y / (H - 1) * (len(stops) - 1)
        i = min(int(t), len(stops) - 2)
        d.line([(0, y), (W, y)], fill=lerp(stops[i], stops[i + 1], t - i))


def ridge(d, rnd, base, height, colour, step):
    points = [(0, H)]
    x, y = 0, base
    while x <= W + step:
        points.append((x, y))
        x += step
        y = max(base - height, min(base + height // 3, y + rnd.randint(-height // 2, height // 2)))
    points.append((W, H))
    d.polygon(points, fill=colour)


def castle(d, x, y, colour, lights, rnd):
    d.polygon([(x - 150, H), (x - 80, y + 60), (x + 90, y + 50), (x + 170, H)], fill=colour)
    for tx, tw, th in ((-60, 34, 150), (-18, 28, 110), (14, 46, 190), (64, 30, 120)):
        left, top = x + tx, y + 60 - th
        d.rectangle([left, top, left + tw, y + 70], fill=colour)
        for i in range(0, tw, 10):
            d.rectangle([left + i, top - 8, left + i + 5, top], fill=colour)
        d.polygon([(left - 4, top - 8), (left + tw // 2, top - 40), (left + tw + 4, top - 8)], fill=colour)
        for wy in range(top + 14, y + 50, 26):
            if rnd.random() < 0.7:
                d.rectangle([left + tw // 2 - 3, wy, left + tw // 2 + 2, wy + 8], fill=lights)
    # a banner on the keep
    px = x + 37
    d.line([(px, y - 170), (px, y - 212)], fill=colour, width=3)
    d.polygon([(px, y - 212), (px + 40, y - 204), (px, y - 194)], fill=(226, 64, 56))


def hero(d, x, y, colour, k=1.0):
    def p(dx, dy):
        return (x + dx * k, y + dy * k)
    d.polygon([p(-26, 0), p(-14, -62), p(14, -62), p(30, 0)], fill=colour)  # cape
    d.ellipse([*p(-11, -86), *p(11, -62)], fill=colour)  # head
    d.rectangle([*p(-12, -62), *p(12, -10)], fill=colour)
    d.line([p(10, -50), p(58, -112)], fill=(220, 228, 240), width=max(2, int(4 * k)))  # the sword
    d.line([p(14, -58), p(24, -46)], fill=colour, width=max(3, int(6 * k)))


def pine(d, x, y, h, colour):
    for i in range(3):
        top = y - h + i * h // 4
        half = h // 5 + i * h // 9
        d.polygon([(x, top), (x - half, top + h // 2), (x + half, top + h // 2)], fill=colour)
    d.rectangle([x - 3, y - h // 4, x + 3, y], fill=colour)


def bar(d, x, y, w, h, part, colour, back):
    d.rounded_rectangle([x, y, x + w, y + h], radius=h // 2, fill=back, outline=(240, 220, 160))
    d.rounded_rectangle([x + 2, y + 2, x + 2 + int((w - 4) * part), y + h - 2], radius=(h - 4) // 2, fill=colour)


def hud(im, palette):
    d = ImageDraw.Draw(im, 'RGBA')
    small = ImageFont.truetype(FONT, 14)
    label = ImageFont.truetype(FONT, 16)
    # portrait, level, health and mana
    d.rounded_rectangle([12, 12, 300, 92], radius=12, fill=(10, 10, 24, 170))
    d.ellipse([20, 18, 88, 86], fill=(58, 46, 92), outline=(240, 200, 110), width=3)
    hero(d, 50, 80, (226, 214, 240), 0.62)
    d.text((100, 18), 'Lv.52  龙骑士', font=label, fill=(255, 236, 180))
    bar(d, 100, 44, 188, 16, 0.78, (214, 52, 52), (50, 16, 20))
    bar(d, 100, 66, 188, 16, 0.55, (58, 118, 226), (14, 24, 54))
    d.text((110, 44), '生命 7820', font=small, fill=(255, 255, 255))
    d.text((110, 66), '法力 3140', font=small, fill=(255, 255, 255))
    # a small map
    cx, cy, r = W - 70, 70, 56
    d.ellipse([cx - r - 4, cy - r - 4, cx + r + 4, cy + r + 4], fill=(240, 200, 110))
    d.ellipse([cx - r, cy - r, cx + r, cy + r], fill=(22, 44, 40))
    rnd = random.Random(palette['seed'])
    for _ in range(9):
        a, dist = rnd.random() * math.tau, rnd.random() * (r - 10)
        px, py = cx + dist * math.cos(a), cy + dist * math.sin(a)
        d.ellipse([px - 3, py - 3, px + 3, py + 3], fill=(230, 70, 60))
    d.polygon([(cx, cy - 8), (cx + 6, cy + 6), (cx - 6, cy + 6)], fill=(255, 255, 255))
    # the skill bar
    icons = [(222, 92, 60), (90, 170, 230), (120, 200, 110), (236, 196, 80), (180, 110, 220), (230, 230, 230)]
    left = (W - 6 * 58) // 2
    d.rounded_rectangle([left - 12, H - 78, left + 6 * 58 + 2, H - 10], radius=12, fill=(10, 10, 24, 180))
    for i, colour in enumerate(icons):
        x = left + i * 58
        d.rounded_rectangle([x, H - 68, x + 48, H - 20], radius=8, fill=(34, 30, 52), outline=(240, 200, 110), width=2)
        d.ellipse([x + 10, H - 58, x + 38, H - 30], fill=colour)
        d.text((x + 4, H - 68), str(i + 1), font=small, fill=(255, 255, 255))


def scene(palette):
    im = Image.new('RGB', (W, H))
    d = ImageDraw.Draw(im)
    rnd = random.Random(palette['seed'])
    sky(d, palette['sky'])
    for _ in range(70):  # stars in the upper sky
        x, y = rnd.randrange(W), rnd.randrange(H // 3)
        d.point((x, y), fill=(255, 255, 235))
    sx, sy, r = int(W * 0.66), int(H * 0.42), 54
    halo = Image.new('L', (W, H))
    ImageDraw.Draw(halo).ellipse([sx - r * 2, sy - r * 2, sx + r * 2, sy + r * 2], fill=150)
    halo = halo.filter(ImageFilter.GaussianBlur(40))
    im = Image.composite(Image.new('RGB', (W, H), palette['glow']), im, halo)
    d = ImageDraw.Draw(im)
    d.ellipse([sx - r, sy - r, sx + r, sy + r], fill=palette['sun'])
    for i, (base, height, step) in enumerate(((330, 90, 36), (390, 70, 28), (450, 44, 22))):
        ridge(d, rnd, base, height, palette['ridges'][i], step)
    castle(d, int(W * 0.30), 300, palette['ridges'][2], palette['lights'], rnd)
    d.rectangle([0, 470, W, H], fill=palette['ground'])
    d.polygon([(W * 0.44, 470), (W * 0.56, 470), (W * 0.78, H), (W * 0.30, H)], fill=palette['road'])
    for x, h in ((40, 120), (92, 90), (780, 130), (838, 100), (700, 80)):
        pine(d, x, 486, h, palette['ground'])
    hero(d, int(W * 0.58), 470, (16, 12, 24), 1.5)
    hud(im, palette)
    return im


if __name__ == '__main__':
    scene(DUSK).save(os.path.join(HERE, 's12.jpg'), quality=88)
    scene(NIGHT).save(os.path.join(HERE, 's13.jpg'), quality=88)
