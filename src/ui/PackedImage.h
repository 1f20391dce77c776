#pragma once
// A skin image as the build packs it (res/skin/pack_skin.py): "ZSKN", width
// and height (32 bits each, little endian), bytes per pixel (3: blue, green,
// red, with magenta see-through; 4: blue, green, red premultiplied by alpha,
// and alpha), three zero bytes, then the rows top-down, each a filter byte
// and its pixels filtered as PNG filters them, in one raw DEFLATE stream.
// Unpacking needs no picture codec.
#include <cstdint>
#include <string_view>
#include <vector>

#include "ui/Geometry.h"

// 32-bit pixels, rows top-down, each in memory order blue, green, red, alpha
// (0xAARRGGBB as a little-endian value).
struct SkinRaster {
    int width = 0;
    int height = 0;
    // Alpha premultiplied (a layered window's picture); otherwise alpha is 0
    // and magenta marks what is see-through.
    bool layered = false;
    std::vector<uint32_t> pixels;

    bool empty() const { return pixels.empty(); }
    Size size() const { return Size{width, height}; }
};

constexpr int kMaxPackedSide = 4096;

// The image packed in `resource`; empty when the bytes are not one or do not
// unpack whole to the size they give.
SkinRaster UnpackSkinImage(std::string_view resource);
