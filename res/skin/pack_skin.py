#!/usr/bin/python3
"""Packs the skin PNGs of every set into the images the launcher unpacks, at build time.

The launcher draws its skin from plain pixels with magenta as the see-through
colour: alpha 0 becomes magenta, alpha 255 keeps its colour, any other alpha
is blended onto white as (a * (v - 255) + 65025) // 255. The login
background (a layered window) keeps its alpha, premultiplied:
(v * a + 127) // 255.

    pack_skin.py OUT_DIR RC_FILE SKIN_DIR [PNG_RC_FILE]

writes OUT_DIR/<id>.zsk for each image of each set (skin_sets.py: res/skin,
x1.5, x2; the id is the 96-DPI id plus the set's step) and RC_FILE, which
names them as RCDATA resources. A packed image is "ZSKN", its width and
height (32 bits each, little endian), its bytes per pixel (3: blue, green,
red; 4: blue, green, red premultiplied, alpha), three zero bytes, and then
its rows top-down, each a PNG filter byte and the filtered pixels, in one
raw DEFLATE stream: the launcher unpacks it with its own small inflater and
no picture codec. PNG_RC_FILE, when given, names the PNGs themselves as
"PNG" resources of the same ids, for the tests that compare the two.
Standard library only; reads the 8-bit RGBA,
non-interlaced PNGs that draw_skin.py writes and refuses others.
"""
import os
import struct
import sys
import zlib

import skin_sets


def read_png(path):
    """Width, height and the rows of 8-bit RGBA pixels (bytearrays)."""
    data = open(path, 'rb').read()
    if data[:8] != b'\x89PNG\r\n\x1a\n':
        raise ValueError(f'{path}: not a PNG')
    pos, idat, header = 8, [], None
    while pos < len(data):
        length, kind = struct.unpack('>I4s', data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b'IHDR':
            header = struct.unpack('>IIBBBBB', body)
        elif kind == b'IDAT':
            idat.append(body)
        elif kind == b'IEND':
            break
    width, height, depth, colour, _, _, interlace = header
    if (depth, colour, interlace) != (8, 6, 0):
        raise ValueError(f'{path}: only 8-bit RGBA, non-interlaced PNGs')
    raw = zlib.decompress(b''.join(idat))
    return width, height, unfilter(raw, width * 4, height, 4, path)


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    return a if pa <= pb and pa <= pc else b if pb <= pc else c


def unfilter(raw, stride, height, bpp, name):
    rows, prev = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        if kind == 1:
            for x in range(bpp, stride):
                line[x] = (line[x] + line[x - bpp]) & 0xFF
        elif kind == 2:
            for x in range(stride):
                line[x] = (line[x] + prev[x]) & 0xFF
        elif kind == 3:
            for x in range(stride):
                line[x] = (line[x] + ((line[x - bpp] if x >= bpp else 0) + prev[x]) // 2) & 0xFF
        elif kind == 4:
            for x in range(stride):
                a = line[x - bpp] if x >= bpp else 0
                c = prev[x - bpp] if x >= bpp else 0
                line[x] = (line[x] + paeth(a, prev[x], c)) & 0xFF
        elif kind != 0:
            raise ValueError(f'{name}: unknown row filter {kind}')
        rows.append(line)
        prev = line
    return rows


def blend_onto_white(value, alpha):
    return (alpha * (value - 255) + 65025) // 255


def keyed_row(line):
    """A row of RGBA pixels as the launcher keys it: blue, green, red; alpha 0 magenta."""
    out = bytearray()
    for x in range(0, len(line), 4):
        r, g, b, a = line[x:x + 4]
        if a == 0:
            out += b'\xff\x00\xff'
        elif a == 255:
            out += bytes((b, g, r))
        else:
            out += bytes((blend_onto_white(b, a), blend_onto_white(g, a), blend_onto_white(r, a)))
    return out


def premultiplied_row(line):
    out = bytearray()
    for x in range(0, len(line), 4):
        r, g, b, a = line[x:x + 4]
        out += bytes(((b * a + 127) // 255, (g * a + 127) // 255, (r * a + 127) // 255, a))
    return out


def filtered(line, prev, bpp):
    """The row with the PNG filter that leaves the smallest bytes (as signed),
    led by its filter byte. Sub, up and none are tried: the skin is flat
    colour, vertical gradients and hard edges, for which the others gain
    little and cost the build much time."""
    n = len(line)
    sub = bytes((line[x] - line[x - bpp]) & 0xFF if x >= bpp else line[x] for x in range(n))
    up = bytes(map(lambda v, p: (v - p) & 0xFF, line, prev))
    best = None
    for kind, row in ((0, bytes(line)), (1, sub), (2, up)):
        cost = sum(v if v < 128 else 256 - v for v in row)
        if best is None or cost < best[0]:
            best = (cost, kind, row)
    return bytes((best[1],)) + best[2]


def pack(rows, width, height, bpp):
    stream = bytearray()
    prev = bytes(width * bpp)
    for line in rows:
        stream += filtered(line, prev, bpp)
        prev = line
    packer = zlib.compressobj(9, zlib.DEFLATED, -15, 9)
    body = packer.compress(bytes(stream)) + packer.flush()
    return b'ZSKN' + struct.pack('<IIB3x', width, height, bpp) + body


def main(out_dir, rc_file, skin_dir, png_rc_file=None):
    os.makedirs(out_dir, exist_ok=True)
    lines = ['// Generated by res/skin/pack_skin.py: the skin, packed.']
    png_lines = ['// Generated by res/skin/pack_skin.py: the skin PNGs of every set.']
    for folder, k, step in skin_sets.SETS:
        for ident in sorted(skin_sets.IMAGES):
            png = os.path.abspath(os.path.join(skin_dir, folder, '%d.png' % ident))
            png_lines.append(f'{ident + step} PNG "{png}"')
            width, height, rows = read_png(png)
            if (width, height) != skin_sets.scaled_size(ident, k):
                raise ValueError(f'{folder}/{ident}.png: {width}x{height}, not its size at {k}x')
            if ident == skin_sets.LAYERED:
                packed = pack([premultiplied_row(r) for r in rows], width, height, 4)
            else:
                packed = pack([keyed_row(r) for r in rows], width, height, 3)
            path = os.path.join(out_dir, '%d.zsk' % (ident + step))
            with open(path, 'wb') as f:
                f.write(packed)
            lines.append(f'{ident + step} RCDATA "{path}"')
    with open(rc_file, 'w', encoding='ascii') as f:
        f.write('\n'.join(lines) + '\n')
    if png_rc_file:
        with open(png_rc_file, 'w', encoding='ascii') as f:
            f.write('\n'.join(png_lines) + '\n')


if __name__ == '__main__':
    if len(sys.argv) not in (4, 5):
        sys.exit(__doc__)
    main(*sys.argv[1:])
