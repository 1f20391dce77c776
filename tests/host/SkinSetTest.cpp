#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "resource.h"
#include "ui/Inflate.h"
#include "ui/PackedImage.h"
#include "ui/SkinCatalog.h"
#include "ui/SkinResample.h"

namespace {

constexpr uint32_t kMagenta = 0xFF00FF;

// The zlib stream of a PNG file, without its two-byte header: raw DEFLATE
// as another encoder made it. Also gives the size it unpacks to.
std::string PngDeflate(const std::string& path, size_t* unpacked) {
    std::ifstream file(path, std::ios::binary);
    const std::string png((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::string idat;
    uint32_t width = 0, height = 0;
    for (size_t pos = 8; pos + 8 <= png.size();) {
        const auto* at = reinterpret_cast<const unsigned char*>(png.data() + pos);
        const size_t length = static_cast<size_t>(at[0]) << 24 | at[1] << 16 | at[2] << 8 | at[3];
        const std::string kind = png.substr(pos + 4, 4);
        if (kind == "IHDR") {
            width = static_cast<uint32_t>(at[8]) << 24 | at[9] << 16 | at[10] << 8 | at[11];
            height = static_cast<uint32_t>(at[12]) << 24 | at[13] << 16 | at[14] << 8 | at[15];
        }
        if (kind == "IDAT") idat += png.substr(pos + 8, length);
        pos += 12 + length;
    }
    *unpacked = static_cast<size_t>(height) * (1 + width * 4);
    return idat.size() > 6 ? idat.substr(2, idat.size() - 6) : std::string();
}

bool InflateString(const std::string& in, size_t outSize, std::vector<uint8_t>* out = nullptr) {
    std::vector<uint8_t> buffer(outSize);
    const bool ok = Inflate(reinterpret_cast<const uint8_t*>(in.data()), in.size(), buffer.data(), buffer.size());
    if (out) *out = buffer;
    return ok;
}

// A packed image of `rows` (each a filter byte and its pixels) in one stored block.
std::string Packed(uint32_t width, uint32_t height, uint8_t bpp, const std::string& rows) {
    std::string out = "ZSKN";
    for (uint32_t v : {width, height})
        for (int i = 0; i < 4; ++i) out += static_cast<char>(v >> (8 * i) & 0xFF);
    out += static_cast<char>(bpp);
    out += std::string(3, '\0');
    out += '\x01';  // the last block, stored
    const size_t n = rows.size();
    for (size_t v : {n, n ^ 0xFFFF}) {
        out += static_cast<char>(v & 0xFF);
        out += static_cast<char>(v >> 8 & 0xFF);
    }
    return out + rows;
}

SkinRaster Solid(int width, int height, int frames, const std::vector<uint32_t>& colours) {
    SkinRaster image;
    image.width = width * frames;
    image.height = height;
    for (int y = 0; y < height; ++y)
        for (int f = 0; f < frames; ++f)
            for (int x = 0; x < width; ++x) image.pixels.push_back(colours[f]);
    return image;
}

}  // namespace

TEST(SkinSets, TheNearestSetServesADpiAndTiesGoToTheLarger) {
    EXPECT_EQ(SkinSetFor(72).idOffset, 0u) << "below 96 DPI the skin stays at 96";
    EXPECT_EQ(SkinSetFor(96).idOffset, 0u);
    EXPECT_EQ(SkinSetFor(119).idOffset, 0u);
    EXPECT_EQ(SkinSetFor(120).idOffset, static_cast<unsigned>(IDB_SKIN_SET_STEP));
    EXPECT_EQ(SkinSetFor(144).dpi, 144);
    EXPECT_EQ(SkinSetFor(168).idOffset, 2u * IDB_SKIN_SET_STEP);
    EXPECT_EQ(SkinSetFor(288).dpi, 192);

    // Each frame is its scaled width wide: four 33-px close buttons at 1.5x.
    EXPECT_EQ(SkinImageSize(IDB_CLOSE_BUTTON, 144), (Size{4 * 50, 42}));
    EXPECT_EQ(SkinImageSize(IDB_DIALOG_FRAME, 120), (Size{38, 64}));
    EXPECT_EQ(SkinImageSize(IDB_LOGIN_BACKGROUND, 96), (Size{768, 524}));
    EXPECT_EQ(SkinImageSize(999, 144), (Size{}));
}

// Every skin PNG of every set is a DEFLATE stream of dynamic blocks from
// another encoder; each unpacks whole, and to no other size.
TEST(Inflate, UnpacksOtherEncodersStreamsAndRefusesWrongSizes) {
    int streams = 0;
    for (const char* set : {"", "x1.5/", "x2/"}) {
        for (unsigned id : {IDB_LOGIN_BACKGROUND, IDB_CLOSE_BUTTON, IDB_TAB, IDB_NOTICE_PICTURE_AND_TEXT}) {
            size_t size = 0;
            const std::string stream =
                PngDeflate(std::string(ZUVA_SOURCE_DIR) + "/res/skin/" + set + std::to_string(id) + ".png", &size);
            SCOPED_TRACE(std::string(set) + std::to_string(id));
            ASSERT_FALSE(stream.empty());
            std::vector<uint8_t> rows;
            EXPECT_TRUE(InflateString(stream, size, &rows));
            EXPECT_LE(rows[0], 4) << "a row filter leads the first row";
            EXPECT_FALSE(InflateString(stream, size - 1)) << "more than the buffer";
            EXPECT_FALSE(InflateString(stream, size + 1)) << "less than the buffer";
            ++streams;
        }
    }
    EXPECT_EQ(streams, 12);

    const std::string fixed("\x2b\xce\xce\xcc\x53\x28\xc6\x24\x14\x01", 10);
    std::vector<uint8_t> text;
    ASSERT_TRUE(InflateString(fixed, 25, &text));
    EXPECT_EQ(std::string(text.begin(), text.end()), "skin skin skin skin skin!");
}

TEST(Inflate, TruncatedOrDamagedStreamsAreRefusedWithinTheirBuffers) {
    size_t size = 0;
    const std::string stream = PngDeflate(std::string(ZUVA_SOURCE_DIR) + "/res/skin/x1.5/132.png", &size);
    ASSERT_FALSE(stream.empty());
    for (size_t cut = 0; cut < stream.size(); cut += 7)
        EXPECT_FALSE(InflateString(stream.substr(0, cut), size)) << "cut at " << cut;
    // Damage anywhere either is refused or still fills the buffer exactly;
    // either way nothing is read or written outside (checked by the sanitizers
    // of the fuzz target on the same code).
    for (size_t at = 0; at < stream.size(); at += 5) {
        std::string damaged = stream;
        damaged[at] = static_cast<char>(damaged[at] ^ 0x5A);
        (void)InflateString(damaged, size);
    }
    EXPECT_FALSE(InflateString(std::string("\x07", 1), 4)) << "block type 3 does not exist";
    EXPECT_TRUE(InflateString(std::string("\x01\x02\x00\xfd\xff" "ab", 7), 2)) << "a stored block";
    EXPECT_FALSE(InflateString(std::string("\x01\x02\x00\xfe\xff" "ab", 7), 2)) << "length and complement disagree";
    EXPECT_FALSE(InflateString(std::string("\x01\x02\x00\xfd\xff" "a", 6), 2)) << "stored bytes missing";
}

TEST(PackedImage, UnfiltersRowsAndRefusesWhatDoesNotAddUp) {
    // Two rows of two pixels: the first filtered "sub", the second "up".
    const std::string rows = std::string("\x01\x10\x20\x30\x01\x01\x01", 7) + std::string("\x02\x01\x02\x03\x04\x05\x06", 7);
    const SkinRaster image = UnpackSkinImage(Packed(2, 2, 3, rows));
    ASSERT_FALSE(image.empty());
    EXPECT_FALSE(image.layered);
    EXPECT_EQ(image.pixels, (std::vector<uint32_t>{0x302010, 0x312111, 0x332211, 0x372615}));

    const SkinRaster layered = UnpackSkinImage(Packed(1, 1, 4, std::string("\x00\x01\x02\x03\x04", 5)));
    ASSERT_FALSE(layered.empty());
    EXPECT_TRUE(layered.layered);
    EXPECT_EQ(layered.pixels[0], 0x04030201u);

    EXPECT_TRUE(UnpackSkinImage(Packed(2, 3, 3, rows)).empty()) << "a row short";
    EXPECT_TRUE(UnpackSkinImage(Packed(2, 2, 5, rows)).empty()) << "no such pixel size";
    EXPECT_TRUE(UnpackSkinImage(Packed(0, 2, 3, rows)).empty());
    EXPECT_TRUE(UnpackSkinImage(Packed(4096, 4096, 4, rows)).empty()) << "more than its stream can hold";
    EXPECT_TRUE(UnpackSkinImage(Packed(2, 2, 3, std::string(rows).replace(7, 1, "\x05"))).empty()) << "filter 5";
    std::string wrongMagic = Packed(2, 2, 3, rows);
    wrongMagic[0] = 'X';
    EXPECT_TRUE(UnpackSkinImage(wrongMagic).empty());
    const std::string whole = Packed(2, 2, 3, rows);
    for (size_t cut = 0; cut < whole.size(); ++cut) EXPECT_TRUE(UnpackSkinImage(whole.substr(0, cut)).empty());
}

// A strip scaled to another DPI keeps its frames apart and its see-through
// magenta clean: no frame's colour leaks into the next, and no colour is
// blended with magenta.
TEST(SkinResample, FramesStayApartAndMagentaLeavesNoFringe) {
    const uint32_t red = 0x2040E0, blue = 0xD06010;
    SkinRaster strip = Solid(10, 10, 2, {red, blue});
    for (int y = 0; y < 3; ++y)  // a see-through corner in each frame
        for (int x = 0; x < 3; ++x) strip.pixels[y * 20 + x] = strip.pixels[y * 20 + 10 + x] = kMagenta;

    for (const Size frame : {Size{12, 12}, Size{8, 8}, Size{25, 25}}) {
        const SkinRaster out = ResampleSkin(strip, 2, frame);
        SCOPED_TRACE(frame.cx);
        ASSERT_EQ(out.width, 2 * frame.cx);
        ASSERT_EQ(out.height, frame.cy);
        int keyed = 0;
        for (int y = 0; y < out.height; ++y)
            for (int x = 0; x < out.width; ++x) {
                const uint32_t px = out.pixels[static_cast<size_t>(y) * out.width + x];
                if (px == kMagenta) {
                    ++keyed;
                    continue;
                }
                const uint32_t want = x < frame.cx ? red : blue;
                for (int shift : {0, 8, 16})
                    EXPECT_NEAR(static_cast<int>(px >> shift & 0xFF), static_cast<int>(want >> shift & 0xFF), 1)
                        << "at " << x << "," << y;
            }
        EXPECT_GT(keyed, 0) << "the corners stay see-through";
        EXPECT_EQ(out.pixels[0], kMagenta);
        EXPECT_EQ(out.pixels[frame.cx], kMagenta) << "the second frame's own corner";
    }

    // A layered picture is filtered premultiplied: no channel above its alpha.
    SkinRaster picture = Solid(4, 4, 1, {0x80404040});
    picture.layered = true;
    picture.pixels[5] = 0xFFFFFFFF;
    const SkinRaster scaled = ResampleSkin(picture, 1, Size{7, 7});
    ASSERT_EQ(scaled.pixels.size(), 49u);
    for (uint32_t px : scaled.pixels)
        for (int shift : {0, 8, 16}) EXPECT_LE(px >> shift & 0xFF, px >> 24);

    EXPECT_TRUE(ResampleSkin(strip, 3, Size{5, 5}).empty()) << "20 pixels are not 3 frames";
}

TEST(SkinResample, ASetImageIsTakenAsItIsOrScaledToTheDpi) {
    const SkinRaster set15 = Solid(50, 42, 4, {0x111111, 0x222222, 0x333333, 0x444444});
    EXPECT_EQ(SkinImageAtDpi(set15, IDB_CLOSE_BUTTON, 144).pixels, set15.pixels);
    const SkinRaster at120 = SkinImageAtDpi(set15, IDB_CLOSE_BUTTON, 120);
    EXPECT_EQ(at120.size(), SkinImageSize(IDB_CLOSE_BUTTON, 120));
    EXPECT_EQ(at120.pixels[at120.width - 1], 0x444444u) << "the last frame ends the strip";
    EXPECT_TRUE(SkinImageAtDpi(Solid(7, 7, 1, {0}), IDB_CLOSE_BUTTON, 120).empty()) << "not the set's image";
}
