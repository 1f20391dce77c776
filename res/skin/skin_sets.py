"""The skin's images, their 96-DPI sizes and frames, and the scaled sets.

Shared by the drawing, the checks and the build's packer (standard library
only). Every size is in pixels at 96 DPI; the set for scale k lies in its
own folder with the same <id>.png names. Edges scale as the launcher scales
them: a 96-DPI coordinate v lands on round(v * k), halves away from zero.
A strip's frames each become px(frame width) wide, so a strip of frames of
odd width is frames * px(frame width) wide, which can be a pixel or two
more than px(strip width) at 1.5x.
"""
import math

# id: (width, height, frames) at 96 DPI
IMAGES = {
    129: (768, 524, 1), 131: (30, 51, 1), 132: (132, 28, 4), 133: (228, 23, 4),
    134: (30, 51, 1), 135: (108, 28, 4), 136: (108, 28, 4), 137: (108, 28, 4),
    138: (108, 27, 4), 139: (176, 28, 4), 140: (567, 22, 3), 141: (39, 13, 3),
    142: (14, 16, 1), 143: (250, 191, 1), 144: (144, 14, 4), 145: (216, 22, 4),
    146: (160, 212, 1), 147: (250, 167, 1), 148: (108, 27, 4), 149: (108, 27, 4),
    150: (316, 28, 1), 151: (316, 28, 1), 152: (390, 21, 1), 153: (390, 21, 1),
    162: (284, 150, 1), 163: (39, 13, 3),
}

LAYERED = 129  # the login background keeps soft alpha; every other image is keyed

# folder below res/skin (empty: res/skin itself), scale, resource id step
SETS = [('', 1, 0), ('x1.5', 1.5, 1000), ('x2', 2, 2000)]


def px(v, k):
    """A 96-DPI coordinate at scale k, to the nearest pixel, halves away from zero."""
    if k == 1:
        return v
    t = v * k
    return int(math.floor(t + 0.5)) if t >= 0 else -int(math.floor(-t + 0.5))


def scaled_size(ident, k):
    """Width and height of image `ident` in the set of scale k."""
    w, h, frames = IMAGES[ident]
    return frames * px(w // frames, k), px(h, k)
