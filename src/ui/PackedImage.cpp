#include "ui/PackedImage.h"

#include <cstdlib>
#include <cstring>

#include "ui/Inflate.h"

namespace {

constexpr char kMagic[4] = {'Z', 'S', 'K', 'N'};
constexpr size_t kHeaderBytes = 16;
// DEFLATE makes at most about 1032 bytes of one; a header that promises
// more than that from its stream is refused before anything is allocated.
constexpr size_t kMostInflation = 1032;

uint32_t ReadLittleEndian32(const unsigned char* at) {
    return static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 | static_cast<uint32_t>(at[2]) << 16 |
           static_cast<uint32_t>(at[3]) << 24;
}

uint8_t Paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return static_cast<uint8_t>(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

// Undoes the PNG row filters in place: rows of 1 + stride bytes, the first
// byte the filter; `bpp` bytes per pixel.
bool Unfilter(std::vector<uint8_t>& raw, size_t stride, size_t rows, size_t bpp) {
    const uint8_t* prev = nullptr;
    for (size_t y = 0; y < rows; ++y) {
        uint8_t* line = raw.data() + y * (stride + 1);
        const uint8_t filter = line[0];
        uint8_t* px = line + 1;
        for (size_t x = 0; x < stride; ++x) {
            const int a = x >= bpp ? px[x - bpp] : 0;
            const int b = prev ? prev[x] : 0;
            const int c = prev && x >= bpp ? prev[x - bpp] : 0;
            switch (filter) {
            case 0: break;
            case 1: px[x] = static_cast<uint8_t>(px[x] + a); break;
            case 2: px[x] = static_cast<uint8_t>(px[x] + b); break;
            case 3: px[x] = static_cast<uint8_t>(px[x] + (a + b) / 2); break;
            case 4: px[x] = static_cast<uint8_t>(px[x] + Paeth(a, b, c)); break;
            default: return false;
            }
        }
        prev = px;
    }
    return true;
}

}  // namespace

SkinRaster UnpackSkinImage(std::string_view resource) {
    const auto* data = reinterpret_cast<const unsigned char*>(resource.data());
    if (resource.size() <= kHeaderBytes || std::memcmp(data, kMagic, sizeof kMagic) != 0) return SkinRaster();
    const uint32_t width = ReadLittleEndian32(data + 4);
    const uint32_t height = ReadLittleEndian32(data + 8);
    const uint32_t bpp = data[12];
    if (width == 0 || height == 0 || width > kMaxPackedSide || height > kMaxPackedSide || (bpp != 3 && bpp != 4) ||
        data[13] || data[14] || data[15])
        return SkinRaster();
    const size_t stride = static_cast<size_t>(width) * bpp;
    const size_t rawBytes = (stride + 1) * height;
    const size_t packedBytes = resource.size() - kHeaderBytes;
    if (rawBytes / kMostInflation > packedBytes) return SkinRaster();

    std::vector<uint8_t> raw(rawBytes);
    if (!Inflate(data + kHeaderBytes, packedBytes, raw.data(), raw.size()) || !Unfilter(raw, stride, height, bpp))
        return SkinRaster();

    SkinRaster image;
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.layered = bpp == 4;
    image.pixels.resize(static_cast<size_t>(width) * height);
    for (size_t y = 0; y < height; ++y) {
        const uint8_t* px = raw.data() + y * (stride + 1) + 1;
        uint32_t* out = image.pixels.data() + y * width;
        for (size_t x = 0; x < width; ++x, px += bpp)
            out[x] = static_cast<uint32_t>(px[0]) | static_cast<uint32_t>(px[1]) << 8 |
                     static_cast<uint32_t>(px[2]) << 16 | (bpp == 4 ? static_cast<uint32_t>(px[3]) << 24 : 0u);
    }
    return image;
}
