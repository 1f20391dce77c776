#!/usr/bin/python3
"""Flattens skin PNGs into the bitmaps the launcher draws, at build time.

The launcher draws its skin from plain bitmaps with magenta as the see-through
colour: alpha 0 becomes magenta, alpha 255 keeps its colour, any other alpha
is blended onto white as (a * (v - 255) + 65025) // 255. The launcher can do
this itself from the PNG resources, but decoding a PNG at run time costs every
process the picture codecs (time at start-up and about a megabyte); a bitmap
resource of the same id is taken instead when there is one.

    flatten_skin.py OUT_DIR RC_FILE [--alpha PNG] PNG...

writes OUT_DIR/<id>.bmp (8 or 24 bits, rows bottom-up) for each PNG and RC_FILE,
which names them as BITMAP resources. The picture given with --alpha (the
login background, a layered window) keeps its alpha instead: OUT_DIR/<id>.pic,
an RCDATA resource of "ZPIC", its width and height (32 bits each, little
endian) and its pixels as a layered window takes them (blue, green, red
premultiplied by alpha, alpha; rows top-down), LZNT1-compressed so that the
platform's RtlDecompressBuffer unpacks it without a picture codec. Standard
library only; reads the 8-bit RGBA, non-interlaced PNGs that draw_skin.py
writes and refuses others.
"""
import os
import struct
import sys
import zlib


def read_png(path):
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
    stride = width * 4
    rows, prev = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for x in range(stride):
            a = line[x - 4] if x >= 4 else 0
            b = prev[x]
            c = prev[x - 4] if x >= 4 else 0
            if kind == 1:
                line[x] = (line[x] + a) & 0xFF
            elif kind == 2:
                line[x] = (line[x] + b) & 0xFF
            elif kind == 3:
                line[x] = (line[x] + (a + b) // 2) & 0xFF
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[x] = (line[x] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 0xFF
            elif kind != 0:
                raise ValueError(f'{path}: unknown row filter {kind}')
        rows.append(line)
        prev = line
    return width, height, rows


def flatten(value, alpha):
    return (alpha * (value - 255) + 65025) // 255


def flattened_rows(width, rows):
    """Each row as a list of (b, g, r) after the flattening, top row first."""
    out = []
    for line in rows:
        pixels = []
        for x in range(width):
            r, g, b, a = line[x * 4:x * 4 + 4]
            if a == 0:
                pixels.append((255, 0, 255))
            elif a == 255:
                pixels.append((b, g, r))
            else:
                pixels.append((flatten(b, a), flatten(g, a), flatten(r, a)))
        out.append(pixels)
    return out


def write_bmp(path, width, height, rows):
    """8 bits with a palette when the picture has at most 256 colours (most
    of the skin), else 24 bits; rows bottom-up, each padded to 4 bytes."""
    flat = flattened_rows(width, rows)
    colours = sorted({p for row in flat for p in row})
    palette = b''
    if len(colours) <= 256:
        index = {c: i for i, c in enumerate(colours)}
        bits, padded = 8, (width + 3) & ~3
        palette = b''.join(bytes((b, g, r, 0)) for b, g, r in colours)
        encode = lambda row: bytes(index[p] for p in row)
    else:
        bits, padded = 24, (width * 3 + 3) & ~3
        encode = lambda row: b''.join(bytes(p) for p in row)
    pixels = bytearray()
    for row in reversed(flat):
        line = encode(row)
        pixels += line + bytes(padded - len(line))
    used = len(colours) if palette else 0
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, bits, 0, len(pixels), 2835, 2835, used, used)
    offset = 14 + len(info) + len(palette)
    head = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    with open(path, 'wb') as f:
        f.write(head + info + palette + pixels)


LZNT1_CHUNK = 4096


def lznt1_split(pos):
    """Offset and length bits of a back-reference at `pos` in a chunk."""
    bits = 12
    while bits > 4 and not (1 << (bits - 1)) < pos:
        bits -= 1
    return bits, 16 - bits


def lznt1_chunk(data):
    """One chunk's tokens: groups of a flag byte and eight literals or
    back-references, found greedily among the latest places of each
    three-byte prefix."""
    out, pos, places, n = bytearray(), 0, {}, len(data)
    while pos < n:
        flag_at, flags = len(out), 0
        out.append(0)
        for bit in range(8):
            if pos >= n:
                break
            best_len = best_off = 0
            if pos >= 1 and pos + 3 <= n:
                off_bits, len_bits = lznt1_split(pos)
                max_off, max_len = min(1 << off_bits, pos), min((1 << len_bits) + 2, n - pos)
                for cand in reversed(places.get(data[pos:pos + 3], [])[-32:]):
                    if pos - cand > max_off:
                        break
                    length = 3
                    while length < max_len and data[cand + length] == data[pos + length]:
                        length += 1
                    if length > best_len:
                        best_len, best_off = length, pos - cand
                        if length == max_len:
                            break
            if best_len >= 3:
                out += struct.pack('<H', ((best_off - 1) << lznt1_split(pos)[1]) | (best_len - 3))
                flags |= 1 << bit
                step = best_len
            else:
                out.append(data[pos])
                step = 1
            for p in range(pos, min(pos + step, n - 2)):
                places.setdefault(data[p:p + 3], []).append(p)
            pos += step
        out[flag_at] = flags
    return bytes(out)


def lznt1(data):
    """LZNT1, as RtlDecompressBuffer (COMPRESSION_FORMAT_LZNT1) reads it."""
    out = bytearray()
    for start in range(0, len(data), LZNT1_CHUNK):
        chunk = data[start:start + LZNT1_CHUNK]
        packed = lznt1_chunk(chunk)
        if len(packed) < len(chunk):
            out += struct.pack('<H', 0xB000 | (len(packed) - 1)) + packed
        else:
            out += struct.pack('<H', 0x3000 | (len(chunk) - 1)) + chunk
    return bytes(out)


def write_layered_picture(path, width, height, rows):
    pixels = bytearray()
    for line in rows:
        for x in range(width):
            r, g, b, a = line[x * 4:x * 4 + 4]
            pixels += bytes(((b * a + 127) // 255, (g * a + 127) // 255, (r * a + 127) // 255, a))
    with open(path, 'wb') as f:
        f.write(b'ZPIC' + struct.pack('<II', width, height) + lznt1(bytes(pixels)))


def main(out_dir, rc_file, args):
    os.makedirs(out_dir, exist_ok=True)
    alpha = [args[i + 1] for i, a in enumerate(args[:-1]) if a == '--alpha']
    pngs = [a for i, a in enumerate(args) if a != '--alpha' and (i == 0 or args[i - 1] != '--alpha')]
    lines = ['// Generated by res/skin/flatten_skin.py: the skin PNGs, flattened.']
    for png in sorted(alpha):
        ident = os.path.splitext(os.path.basename(png))[0]
        pic = os.path.join(out_dir, ident + '.pic')
        write_layered_picture(pic, *read_png(png))
        lines.append(f'{ident} RCDATA "{pic}"')
    for png in sorted(pngs):
        ident = os.path.splitext(os.path.basename(png))[0]
        bmp = os.path.join(out_dir, ident + '.bmp')
        write_bmp(bmp, *read_png(png))
        lines.append(f'{ident} BITMAP "{bmp}"')
    with open(rc_file, 'w', encoding='ascii') as f:
        f.write('\n'.join(lines) + '\n')


if __name__ == '__main__':
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2], sys.argv[3:])
