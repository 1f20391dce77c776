#include "ui/SkinPixels.h"

uint8_t BlendOntoWhite(uint8_t v, uint8_t a) {
    return static_cast<uint8_t>((a * (static_cast<int>(v) - 255) + 65025) / 255);
}

void FlattenToMaskedRows(const uint8_t* src, int width, int height, int srcStride, uint32_t maskColour,
                         uint8_t* dstBottomUp) {
    const uint8_t maskRed = static_cast<uint8_t>(maskColour & 0xFF);
    const uint8_t maskGreen = static_cast<uint8_t>((maskColour >> 8) & 0xFF);
    const uint8_t maskBlue = static_cast<uint8_t>((maskColour >> 16) & 0xFF);
    for (int r = 0; r < height; ++r) {
        const uint8_t* in = src + static_cast<long>(r) * srcStride;
        uint8_t* out = dstBottomUp + static_cast<long>(height - 1 - r) * width * 4;
        for (int c = 0; c < width; ++c, in += 4, out += 4) {
            const uint8_t a = in[3];
            if (a == 255) {
                out[0] = in[0];
                out[1] = in[1];
                out[2] = in[2];
            } else if (a == 0) {
                out[0] = maskBlue;
                out[1] = maskGreen;
                out[2] = maskRed;
            } else {
                out[0] = BlendOntoWhite(in[0], a);
                out[1] = BlendOntoWhite(in[1], a);
                out[2] = BlendOntoWhite(in[2], a);
            }
            out[3] = 0;
        }
    }
}
