#pragma once
// Turning decoded skin images into colour-keyed bitmaps: alpha is flattened
// so that transparent pixels become the mask colour (magenta) and partly
// transparent ones are blended onto white.
#include <cstdint>

constexpr uint32_t kMaskColour = 0xFF00FF;  // magenta, as a COLORREF (0x00BBGGRR)

// One colour channel v at alpha a, blended with white: (a * (v - 255) + 65025) / 255.
uint8_t BlendOntoWhite(uint8_t v, uint8_t a);

// Flattens a top-down image of 32-bit pixels in memory order blue, green,
// red, alpha (rows `srcStride` bytes apart) into a bottom-up 32-bit bitmap
// (rows width * 4 bytes apart, fourth byte 0), so the picture stands upright
// in a bitmap whose rows are stored from the bottom.
void FlattenToMaskedRows(const uint8_t* src, int width, int height, int srcStride, uint32_t maskColour,
                         uint8_t* dstBottomUp);
