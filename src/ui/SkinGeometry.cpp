#include "ui/SkinGeometry.h"

#include <algorithm>

std::vector<BlitPiece> NineGridPieces(int W, int H, int w, int h, int b, int c) {
    return {
        {Rect{0, 0, b, c}, Rect{0, 0, b, c}},                          // top-left
        {Rect{w - b, 0, w, c}, Rect{W - b, 0, W, c}},                  // top-right
        {Rect{0, h - b, b, h}, Rect{0, H - b, b, H}},                  // bottom-left
        {Rect{w - b, h - b, w, h}, Rect{W - b, H - b, W, H}},          // bottom-right
        {Rect{b, 0, w - b, c}, Rect{b, 0, W - b, c}},                  // top band
        {Rect{b, h - b, w - b, h}, Rect{b, H - b, W - b, H}},          // bottom band
        {Rect{0, c, b, h - b}, Rect{0, c, b, H - b}},                  // left column
        {Rect{w - b, c, w, h - b}, Rect{W - b, c, W, H - b}},          // right column
        {Rect{b, c, w - b, h - b}, Rect{b, c, W - b, H - b}},          // centre
    };
}

std::vector<BlitPiece> PlainSkinPieces(int W, int H, int w, int h, int b, int c) {
    const int cw = std::min(w, W);
    const int ch = std::min(h, H);
    return {
        {Rect{0, 0, cw, ch}, Rect{0, 0, cw, ch}},                      // the picture, clipped
        {Rect{w - b, 0, w, c}, Rect{W - b, 0, W, c}},                  // top-right piece
        {Rect{w - b, c, w, h - b}, Rect{W - b, c, W, H - b}},          // right column
        {Rect{0, h - b, b, h}, Rect{0, H - b, b, H}},                  // bottom-left
        {Rect{w - b, h - b, w, h}, Rect{W - b, H - b, W, H}},          // bottom-right
        {Rect{b, h - b, w - b, h}, Rect{b, H - b, W - b, H}},          // bottom band
    };
}

std::vector<Rect> CornerCutouts(int W, int H, int w, int h, const std::function<bool(int, int)>& isMask) {
    const int nx = std::min(9, w);
    const int ny = std::min(9, h);
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
                                     const std::vector<Size>& sizes) {
    std::vector<Rect> rects;
    int x = layoutWidth - btnRight;
    for (Size size : sizes) {
        if (size.cx <= 0) {
            rects.push_back(Rect{});
            continue;
        }
        rects.push_back(Rect{x - size.cx, btnTop, x, btnTop + size.cy});
        x -= size.cx + gap;
    }
    return rects;
}
