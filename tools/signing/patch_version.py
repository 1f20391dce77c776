"""Patches the version block of a built launcher, for the test builds that
sign-test-builds.sh makes:

  patch_version.py version IN MS LS OUT   the fixed file version set anew, and
                                          a marker after the image
  patch_version.py product IN OUT         ProductName "KorvelOtherTool"

The block is the one whose key is followed, at the next 32-bit boundary, by
the fixed part's signature: the code may hold the key and the signature as
data of its own (the launcher reads version blocks too)."""
import struct
import sys

KEY = "VS_VERSION_INFO\0".encode("utf-16-le")
SIGNATURE = struct.pack("<I", 0xFEEF04BD)


def align4(offset, base):
    return base + (offset - base + 3) // 4 * 4


def version_block(data, name):
    blocks = []
    at = data.find(KEY)
    while at >= 0:
        start = at - 6
        fixed = align4(at + len(KEY), start)
        if start >= 0 and data[fixed:fixed + 4] == SIGNATURE:
            blocks.append(start)
        at = data.find(KEY, at + 1)
    if len(blocks) != 1:
        sys.exit("expected exactly one version block in " + name)
    return blocks[0]


def set_version(data, block, ms, ls):
    fixed = align4(block + 6 + len(KEY), block)
    struct.pack_into("<II", data, fixed + 8, ms, ls)
    return bytes(data) + b"ZUVA-NEW-BUILD"


def other_product(data, block, name):
    # Another name as long as ours, so that no length in the block changes.
    key = "ProductName\0".encode("utf-16-le")
    ours, theirs = ("KorvelFerrowind\0".encode("utf-16-le"), "KorvelOtherTool\0".encode("utf-16-le"))
    length = struct.unpack_from("<H", data, block)[0]
    at = data.find(key, block, block + length)
    value = align4(at + len(key), block) if at >= 0 else -1
    if value < 0 or data[value:value + len(ours)] != ours:
        sys.exit("expected the product name in the version block of " + name)
    data[value:value + len(ours)] = theirs
    return bytes(data)


def main(args):
    data = bytearray(open(args[1], "rb").read())
    block = version_block(data, args[1])
    if args[0] == "version":
        out, patched = args[4], set_version(data, block, int(args[2]), int(args[3]))
    else:
        out, patched = args[2], other_product(data, block, args[1])
    open(out, "wb").write(patched)


if __name__ == "__main__":
    main(sys.argv[1:])
