#include "ui/SkinGeometry.h"

#include <algorithm>

namespace {
// The four lines that cut a bitmap w x h into its border pieces, and where
// the right and bottom ones fall in a window W x H. The bitmap's right border
// starts at its 96-DPI edge (width less border) scaled, which can be a pixel
// off its width less the scaled border; the window keeps the bitmap's own
// right and bottom piece sizes so corners are copied, never stretched.
struct BorderLines {
    int left, top;             // the same in bitmap and window
    int srcRight, srcBottom;   // in the bitmap
    int dstRight, dstBottom;   // in the window
};

BorderLines BorderLinesOf(int W, int H, int w, int h, int b, int c, const DpiScale& scale) {
    BorderLines l{};
    l.left = scale.Px(b);
    l.top = scale.Px(c);
    l.srcRight = scale.Px(scale.Unscale(w) - b);
    l.srcBottom = scale.Px(scale.Unscale(h) - b);
    l.dstRight = W - (w - l.srcRight);
    l.dstBottom = H - (h - l.srcBottom);
    return l;
}
}  // namespace

std::vector<BlitPiece> NineGridPieces(int W, int H, int w, int h, int b, int c, const DpiScale& scale) {
    const BorderLines l = BorderLinesOf(W, H, w, h, b, c, scale);
    const int L = l.left, T = l.top, r = l.srcRight, bt = l.srcBottom, R = l.dstRight, B = l.dstBottom;
    return {
        {Rect{0, 0, L, T}, Rect{0, 0, L, T}},              // top-left
        {Rect{r, 0, w, T}, Rect{R, 0, W, T}},              // top-right
        {Rect{0, bt, L, h}, Rect{0, B, L, H}},             // bottom-left
        {Rect{r, bt, w, h}, Rect{R, B, W, H}},             // bottom-right
        {Rect{L, 0, r, T}, Rect{L, 0, R, T}},              // top band
        {Rect{L, bt, r, h}, Rect{L, B, R, H}},             // bottom band
        {Rect{0, T, L, bt}, Rect{0, T, L, B}},             // left column
        {Rect{r, T, w, bt}, Rect{R, T, W, B}},             // right column
        {Rect{L, T, r, bt}, Rect{L, T, R, B}},             // centre
    };
}

std::vector<BlitPiece> PlainSkinPieces(int W, int H, int w, int h, int b, int c, const DpiScale& scale) {
    const BorderLines l = BorderLinesOf(W, H, w, h, b, c, scale);
    const int L = l.left, T = l.top, r = l.srcRight, bt = l.srcBottom, R = l.dstRight, B = l.dstBottom;
    const int cw = std::min(w, W);
    const int ch = std::min(h, H);
    return {
        {Rect{0, 0, cw, ch}, Rect{0, 0, cw, ch}},          // the picture, clipped
        {Rect{r, 0, w, T}, Rect{R, 0, W, T}},              // top-right piece
        {Rect{r, T, w, bt}, Rect{R, T, W, B}},             // right column
        {Rect{0, bt, L, h}, Rect{0, B, L, H}},             // bottom-left
        {Rect{r, bt, w, h}, Rect{R, B, W, H}},             // bottom-right
        {Rect{L, bt, r, h}, Rect{L, B, R, H}},             // bottom band
    };
}

std::vector<Rect> CornerCutouts(int W, int H, int w, int h, const std::function<bool(int, int)>& isMask,
                                const DpiScale& scale) {
    const int corner = scale.Length(9);
    const int nx = std::min(corner, w);
    const int ny = std::min(corner, h);
    std::vector<Rect> cuts;
    // Each corner: which bitmap pixel and which window pixel row i / column j
    // of that corner's square stand for.
    struct Corner {
        bool right, bottom;
    };
    for (Corner k : {Corner{false, false}, Corner{true, false}, Corner{false, true}, Corner{true, true}}) {
        for (int j = 0; j < ny; ++j) {
            const int by = k.bottom ? h - 1 - j : j;
            const int wy = k.bottom ? H - 1 - j : j;
            int runStart = -1;
            auto flush = [&](int endExclusive) {
                if (runStart >= 0) cuts.push_back(Rect{runStart, wy, endExclusive, wy + 1});
                runStart = -1;
            };
            // Walk window columns left to right so runs merge.
            for (int i = 0; i < nx; ++i) {
                const int col = k.right ? nx - 1 - i : i;  // distance from the corner's edge
                const int bx = k.right ? w - 1 - col : col;
                const int wx = k.right ? W - 1 - col : col;
                if (isMask(bx, by)) {
                    if (runStart < 0) runStart = wx;
                } else {
                    flush(wx);
                }
            }
            flush(k.right ? W : nx);
        }
    }
    return cuts;
}

std::vector<Rect> LayoutTitleButtons(int layoutWidth, int btnRight, int btnTop, int gap,
                                     const std::vector<Size>& sizes, const DpiScale& scale) {
    std::vector<Rect> rects;
    const int top = scale.Px(btnTop);
    const int spacing = scale.Length(gap);
    int x = layoutWidth - scale.Px(btnRight);
    for (Size size : sizes) {
        if (size.cx <= 0) {
            rects.push_back(Rect{});
            continue;
        }
        rects.push_back(Rect{x - size.cx, top, x, top + size.cy});
        x -= size.cx + spacing;
    }
    return rects;
}

Rect TitleIconRect(int captionHeight, int border, const DpiScale& scale) {
    const int iconSize = 16;
    const int top = captionHeight == -1 ? 6 : (captionHeight - iconSize + 1) / 2;
    return scale.Of(RectFromSize(border, top, iconSize, iconSize));
}

Point TitleTextOrigin(int captionHeight, int border, int fontHeight, bool hasIcon, const DpiScale& scale) {
    const int band = captionHeight == -1 ? -1 : scale.Px(captionHeight);
    // Centred, rounding down; a font taller than the band sits near the top.
    const int q = (band + 1 - fontHeight) / 2;
    const int x = scale.Px(border + 5 + (hasIcon ? 16 : 0));
    return Point{x, q < 0 ? scale.Px(4) : q - scale.Px(2)};
}
