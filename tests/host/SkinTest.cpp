#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "ui/SkinGeometry.h"
#include "ui/SkinPixels.h"

namespace {
// One BGRA pixel, flattened through the real row converter.
std::vector<uint8_t> Flatten1(uint8_t b, uint8_t g, uint8_t r, uint8_t a) {
    uint8_t src[4] = {b, g, r, a};
    std::vector<uint8_t> dst(4, 0xEE);
    FlattenToMaskedRows(src, 1, 1, 4, kMaskColour, dst.data());
    return dst;
}
}  // namespace

TEST(SkinPixels, AlphaIsFlattenedToMagentaOrOntoWhite) {
    EXPECT_EQ(Flatten1(10, 20, 30, 0), (std::vector<uint8_t>{255, 0, 255, 0})) << "colour discarded";
    EXPECT_EQ(Flatten1(10, 20, 30, 255), (std::vector<uint8_t>{10, 20, 30, 0}));
    EXPECT_EQ(Flatten1(0, 0, 0, 128), (std::vector<uint8_t>{127, 127, 127, 0}));
    for (int a = 1; a < 255; ++a)
        EXPECT_EQ(Flatten1(255, 255, 255, static_cast<uint8_t>(a)), (std::vector<uint8_t>{255, 255, 255, 0}));
    EXPECT_EQ(BlendOntoWhite(0, 1), 254);
    EXPECT_EQ(BlendOntoWhite(0, 254), 1);
    EXPECT_EQ(BlendOntoWhite(100, 51), 224);  // (51 * -155 + 65025) / 255 = 57120 / 255
    // An opaque magenta pixel stays magenta, and so is transparent when drawn.
    EXPECT_EQ(Flatten1(255, 0, 255, 255), (std::vector<uint8_t>{255, 0, 255, 0}));
}

TEST(SkinPixels, RowsComeOutBottomUpAndHonourTheSourceStride) {
    // 2 x 2 image with a padded stride of 12 bytes: top row red, bottom row blue.
    const uint8_t src[24] = {0, 0, 255, 255, 0, 0, 255, 255, 9, 9, 9, 9,
                             255, 0, 0, 255, 255, 0, 0, 255, 9, 9, 9, 9};
    uint8_t dst[16] = {};
    FlattenToMaskedRows(src, 2, 2, 12, kMaskColour, dst);
    // The bitmap's first stored row is the picture's bottom row (blue).
    EXPECT_EQ(dst[0], 255);
    EXPECT_EQ(dst[2], 0);
    EXPECT_EQ(dst[8 + 2], 255);  // last stored row: red
    EXPECT_EQ(dst[8 + 0], 0);
}

TEST(SkinGeometry, NineGridCoversTheWindowExactlyOnce) {
    const int W = 300, H = 200;
    auto pieces = NineGridPieces(W, H, 30, 51, 4, 30, DpiScale());
    ASSERT_EQ(pieces.size(), 9u);
    std::vector<int> cover(W * H, 0);
    for (const BlitPiece& p : pieces)
        for (int y = p.dst.top; y < p.dst.bottom; ++y)
            for (int x = p.dst.left; x < p.dst.right; ++x) ++cover[y * W + x];
    for (int v : cover) ASSERT_EQ(v, 1);
    // Corners keep their size; the centre is stretched from the bitmap's centre.
    EXPECT_EQ(pieces[0], (BlitPiece{Rect{0, 0, 4, 30}, Rect{0, 0, 4, 30}}));
    EXPECT_EQ(pieces[3], (BlitPiece{Rect{26, 47, 30, 51}, Rect{296, 196, 300, 200}}));
    EXPECT_EQ(pieces[8], (BlitPiece{Rect{4, 30, 26, 47}, Rect{4, 30, 296, 196}}));
}

// At every DPI the pieces still tile the window once, and the bitmap's
// border is cut where the scaled art has it: at 144 DPI the 3-pixel border of
// a 284-wide picture starts at 422 of 426 (281 x 1.5, rounded), four pixels
// from the edge, though 3 x 1.5 rounds to 5.
TEST(SkinGeometry, ScaledPiecesTileTheWindowAndCutTheArtAtItsScaledEdges) {
    struct Art {
        Size size;
        int border, caption;
    };
    for (int dpi : {96, 120, 144, 192}) {
        const DpiScale s(dpi);
        for (Art art : {Art{Size{30, 51}, 4, 30}, Art{Size{284, 150}, 3, 30}}) {
            const Size bitmap = s.Of(art.size);
            for (Size win : {Size{301, 203}, Size{640, 480}}) {
                for (bool nineGrid : {true, false}) {
                    const auto pieces = nineGrid ? NineGridPieces(win.cx, win.cy, bitmap.cx, bitmap.cy, art.border,
                                                                  art.caption, s)
                                                 : PlainSkinPieces(win.cx, win.cy, bitmap.cx, bitmap.cy, art.border,
                                                                   art.caption, s);
                    if (nineGrid) {
                        std::vector<int> cover(win.cx * win.cy, 0);
                        for (const BlitPiece& p : pieces)
                            for (int y = p.dst.top; y < p.dst.bottom; ++y)
                                for (int x = p.dst.left; x < p.dst.right; ++x) ++cover[y * win.cx + x];
                        for (int v : cover) ASSERT_EQ(v, 1) << dpi;
                    }
                    // The bottom-right corner: the art's own, copied unstretched.
                    const BlitPiece corner = pieces[nineGrid ? 3 : 4];
                    EXPECT_EQ(corner.src.left, s.Px(art.size.cx - art.border)) << dpi;
                    EXPECT_EQ(corner.src.top, s.Px(art.size.cy - art.border)) << dpi;
                    EXPECT_EQ(corner.src.width(), corner.dst.width()) << dpi;
                    EXPECT_EQ(corner.src.height(), corner.dst.height()) << dpi;
                    EXPECT_EQ(corner.dst.right, win.cx);
                }
            }
        }
    }
}

TEST(SkinGeometry, PlainSkinRedrawsRightEdgeAndBottomBand) {
    auto pieces = PlainSkinPieces(400, 200, 284, 150, 3, 30, DpiScale());
    EXPECT_EQ(pieces[0], (BlitPiece{Rect{0, 0, 284, 150}, Rect{0, 0, 284, 150}}));
    EXPECT_EQ(pieces[1], (BlitPiece{Rect{281, 0, 284, 30}, Rect{397, 0, 400, 30}}));
    EXPECT_EQ(pieces[2], (BlitPiece{Rect{281, 30, 284, 147}, Rect{397, 30, 400, 197}}));
    EXPECT_EQ(pieces[5], (BlitPiece{Rect{3, 147, 281, 150}, Rect{3, 197, 397, 200}}));
    // A window smaller than its picture gets the picture clipped.
    EXPECT_EQ(PlainSkinPieces(100, 80, 284, 150, 3, 30, DpiScale())[0], (BlitPiece{Rect{0, 0, 100, 80}, Rect{0, 0, 100, 80}}));
}

TEST(SkinGeometry, CornerCutoutsFollowTheWindowCorners) {
    // A 30 x 51 bitmap with a rounded shape: in each corner the pixels on
    // (col + row < 3) from that corner's edges are magenta; one magenta pixel
    // in the middle of the top edge must not be cut.
    const int w = 30, h = 51;
    auto isMask = [&](int x, int y) {
        if (x == 15 && y == 0) return true;
        int cx = x < w / 2 ? x : w - 1 - x;
        int cy = y < h / 2 ? y : h - 1 - y;
        return cx + cy < 3;
    };
    for (Size win : {Size{200, 100}, Size{640, 480}}) {
        std::set<std::pair<int, int>> cut;
        for (const Rect& r : CornerCutouts(win.cx, win.cy, w, h, isMask, DpiScale()))
            for (int y = r.top; y < r.bottom; ++y)
                for (int x = r.left; x < r.right; ++x) cut.insert({x, y});
        std::set<std::pair<int, int>> expected;
        for (int j = 0; j < 3; ++j)
            for (int i = 0; i + j < 3; ++i) {
                expected.insert({i, j});
                expected.insert({win.cx - 1 - i, j});
                expected.insert({i, win.cy - 1 - j});
                expected.insert({win.cx - 1 - i, win.cy - 1 - j});
            }
        EXPECT_EQ(cut, expected) << win.cx << "x" << win.cy;
    }
}

TEST(SkinGeometry, CornerCutoutsOfATinyBitmapStayInsideIt) {
    // A 4 x 4 all-magenta bitmap: only its own 4 x 4 corners exist.
    auto cuts = CornerCutouts(100, 50, 4, 4, [](int, int) { return true; }, DpiScale());
    for (const Rect& r : cuts) {
        EXPECT_TRUE((r.left >= 0 && r.right <= 4) || (r.left >= 96 && r.right <= 100));
        EXPECT_TRUE((r.top >= 0 && r.bottom <= 4) || (r.top >= 46 && r.bottom <= 50));
    }
    EXPECT_EQ(cuts.size(), 16u) << "one merged run per corner row";

    // The corners scanned are 9 x 9 at 96 DPI: 14 x 14 (13.5) at 144.
    cuts = CornerCutouts(300, 200, 60, 60, [](int, int) { return true; }, DpiScale(144));
    EXPECT_EQ(cuts.size(), 4u * 14u);
    for (const Rect& r : cuts) EXPECT_EQ(r.width(), 14);
}

TEST(SkinGeometry, TitleButtonsLineUpFromTheRight) {
    auto rects = LayoutTitleButtons(800, 0, 0, 0, {Size{33, 28}, Size{27, 28}, Size{27, 28}}, DpiScale());
    EXPECT_EQ(rects[0], (Rect{767, 0, 800, 28}));  // close
    EXPECT_EQ(rects[1], (Rect{740, 0, 767, 28}));  // maximise
    EXPECT_EQ(rects[2], (Rect{713, 0, 740, 28}));  // minimise
    // No maximise button: minimise goes next to close; margins and gap apply.
    rects = LayoutTitleButtons(300, 5, 1, 2, {Size{33, 28}, Size{0, 0}, Size{27, 28}}, DpiScale());
    EXPECT_EQ(rects[0], (Rect{262, 1, 295, 29}));
    EXPECT_EQ(rects[1], (Rect{}));
    EXPECT_EQ(rects[2], (Rect{233, 1, 260, 29}));
    // At 144 DPI the margins and gap scale (5 -> 8, 1 -> 2, 2 -> 3); the
    // frames come at their real size and still touch through the gap.
    rects = LayoutTitleButtons(300, 5, 1, 2, {Size{50, 42}, Size{0, 0}, Size{41, 42}}, DpiScale(144));
    EXPECT_EQ(rects[0], (Rect{242, 2, 292, 44}));
    EXPECT_EQ(rects[2], (Rect{198, 2, 239, 44}));
}

TEST(SkinGeometry, TitleIconAndTextPlaces) {
    EXPECT_EQ(TitleIconRect(30, 4, DpiScale()), (Rect{4, 7, 20, 23}));
    EXPECT_EQ(TitleIconRect(-1, 3, DpiScale()), (Rect{3, 6, 19, 22}));
    EXPECT_EQ(TitleTextOrigin(30, 4, 12, true, DpiScale()), (Point{25, 7}));
    EXPECT_EQ(TitleTextOrigin(-1, 3, 12, false, DpiScale()), (Point{8, 4}));
    // At 150% the icon is 24 pixels and the text keeps clear of it, centred
    // on the 45-pixel band for an 18-pixel font.
    const DpiScale s(144);
    EXPECT_EQ(TitleIconRect(30, 4, s), (Rect{6, 11, 30, 35}));
    EXPECT_EQ(TitleTextOrigin(30, 4, 18, true, s), (Point{38, 11}));
}
