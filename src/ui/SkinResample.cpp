#include "ui/SkinResample.h"

#include <algorithm>
#include <cmath>

#include "ui/SkinCatalog.h"
#include "ui/SkinPixels.h"

namespace {

// A pixel premultiplied by its alpha, channels 0..255.
struct Premultiplied {
    float b = 0, g = 0, r = 0, a = 0;
};

constexpr uint32_t kKeyBgr = ((kMaskColour & 0xFF) << 16) | (kMaskColour & 0xFF00) | (kMaskColour >> 16);

float CatmullRom(float x) {
    x = std::fabs(x);
    if (x < 1) return (1.5f * x - 2.5f) * x * x + 1;
    if (x < 2) return ((-0.5f * x + 2.5f) * x - 4) * x + 2;
    return 0;
}

struct Tap {
    int index;
    float weight;
};

// For each of `to` pixels along an axis, the source pixels (0..from-1, the
// edge repeated past the ends) and their weights. Shrinking widens the
// filter so every source pixel counts.
std::vector<std::vector<Tap>> AxisTaps(int from, int to) {
    const float scale = static_cast<float>(to) / static_cast<float>(from);
    const float stretch = std::min(scale, 1.0f);
    const float reach = 2 / stretch;
    std::vector<std::vector<Tap>> taps(static_cast<size_t>(to));
    for (int t = 0; t < to; ++t) {
        const float centre = (static_cast<float>(t) + 0.5f) / scale - 0.5f;
        float total = 0;
        for (int s = static_cast<int>(std::ceil(centre - reach)); s <= static_cast<int>(std::floor(centre + reach));
             ++s) {
            const float w = CatmullRom((static_cast<float>(s) - centre) * stretch);
            if (w == 0) continue;
            taps[t].push_back(Tap{std::clamp(s, 0, from - 1), w});
            total += w;
        }
        for (Tap& tap : taps[t]) tap.weight /= total;
    }
    return taps;
}

Premultiplied Unpack(uint32_t px, bool layered) {
    const float b = static_cast<float>(px & 0xFF), g = static_cast<float>(px >> 8 & 0xFF),
                r = static_cast<float>(px >> 16 & 0xFF);
    if (layered) return Premultiplied{b, g, r, static_cast<float>(px >> 24)};
    if ((px & 0xFFFFFF) == kKeyBgr) return Premultiplied{};
    return Premultiplied{b, g, r, 255};
}

// Rounded to the nearest of 0..most (v is clamped first, so adding a half rounds).
uint8_t Channel(float v, float most) { return static_cast<uint8_t>(std::clamp(v, 0.0f, most) + 0.5f); }

uint32_t Pack(const Premultiplied& p, bool layered) {
    const float a = std::clamp(p.a, 0.0f, 255.0f);
    if (layered) {
        return Channel(p.b, a) | Channel(p.g, a) << 8 | Channel(p.r, a) << 16 |
               static_cast<uint32_t>(a + 0.5f) << 24;
    }
    // Cut hard: at least half covered is opaque, in the colour without its
    // alpha (the filter's own alpha, overshoot and all, so a flat colour
    // comes back exactly).
    if (a < 127.5f) return kKeyBgr;
    const float k = 255.0f / p.a;
    uint32_t px = Channel(p.b * k, 255) | Channel(p.g * k, 255) << 8 | Channel(p.r * k, 255) << 16;
    if (px == kKeyBgr) px ^= 0x100;  // a colour that would be keyed out stays just visible
    return px;
}

}  // namespace

SkinRaster ResampleSkin(const SkinRaster& image, int frames, Size frameSize) {
    if (frames <= 0 || image.width <= 0 || image.height <= 0 || image.width % frames != 0 || frameSize.cx <= 0 ||
        frameSize.cy <= 0 || image.pixels.size() != static_cast<size_t>(image.width) * image.height)
        return SkinRaster();
    const int fromWidth = image.width / frames;
    const auto across = AxisTaps(fromWidth, frameSize.cx);
    const auto down = AxisTaps(image.height, frameSize.cy);

    SkinRaster out;
    out.width = frameSize.cx * frames;
    out.height = frameSize.cy;
    out.layered = image.layered;
    out.pixels.resize(static_cast<size_t>(out.width) * out.height);
    std::vector<Premultiplied> wide(static_cast<size_t>(frameSize.cx) * image.height);
    std::vector<Premultiplied> line(static_cast<size_t>(fromWidth));
    for (int frame = 0; frame < frames; ++frame) {
        // Each frame on its own: no frame's pixels reach into its neighbour.
        for (int y = 0; y < image.height; ++y) {
            const uint32_t* row = image.pixels.data() + static_cast<size_t>(y) * image.width + frame * fromWidth;
            for (int x = 0; x < fromWidth; ++x) line[x] = Unpack(row[x], image.layered);
            for (int x = 0; x < frameSize.cx; ++x) {
                Premultiplied sum;
                for (const Tap& tap : across[x]) {
                    const Premultiplied& p = line[tap.index];
                    sum.b += p.b * tap.weight;
                    sum.g += p.g * tap.weight;
                    sum.r += p.r * tap.weight;
                    sum.a += p.a * tap.weight;
                }
                wide[static_cast<size_t>(y) * frameSize.cx + x] = sum;
            }
        }
        for (int y = 0; y < frameSize.cy; ++y) {
            uint32_t* row = out.pixels.data() + static_cast<size_t>(y) * out.width + frame * frameSize.cx;
            for (int x = 0; x < frameSize.cx; ++x) {
                Premultiplied sum;
                for (const Tap& tap : down[y]) {
                    const Premultiplied& p = wide[static_cast<size_t>(tap.index) * frameSize.cx + x];
                    sum.b += p.b * tap.weight;
                    sum.g += p.g * tap.weight;
                    sum.r += p.r * tap.weight;
                    sum.a += p.a * tap.weight;
                }
                row[x] = Pack(sum, image.layered);
            }
        }
    }
    return out;
}

SkinRaster SkinImageAtDpi(SkinRaster fromSet, unsigned id, int dpi) {
    const SkinImageInfo* info = FindSkinImage(id);
    if (!info || fromSet.empty()) return SkinRaster();
    const Size wanted = SkinImageSize(id, dpi);
    if (fromSet.size() == wanted) return fromSet;
    if (!(fromSet.size() == SkinImageSize(id, SkinSetFor(dpi).dpi))) return SkinRaster();
    return ResampleSkin(fromSet, info->frames, Size{wanted.cx / info->frames, wanted.cy});
}
