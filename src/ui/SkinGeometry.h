#pragma once
// Where the pieces of a skin go: background slices, corner cut-outs and the
// title buttons, for a window of a given size.
#include <functional>
#include <vector>

#include "ui/Geometry.h"

// One copy from the skin bitmap (src) to the window (dst), stretched when
// the two differ in size.
struct BlitPiece {
    Rect src;
    Rect dst;
    bool operator==(const BlitPiece& o) const { return src == o.src && dst == o.dst; }
};

// The background of a window W x H from a bitmap w x h. b is the border, c the
// title band's height (b when the window has no band of its own).
// Nine-grid: corners unscaled, edges stretched along, centre stretched both ways.
std::vector<BlitPiece> NineGridPieces(int W, int H, int w, int h, int b, int c);
// Plain: the bitmap unscaled at the top-left, then the right edge and the
// bottom band redrawn from the bitmap's own so a larger window keeps its frame.
std::vector<BlitPiece> PlainSkinPieces(int W, int H, int w, int h, int b, int c);

// The window pixels to cut away: every magenta pixel of the bitmap's four
// 9 x 9 corners (fewer when the bitmap is smaller), placed at the same
// distance from the window's matching corner. `isMask(x, y)` tells whether the
// bitmap pixel at (x, y), top row 0, is the mask colour. Horizontal runs are
// merged into one rectangle.
std::vector<Rect> CornerCutouts(int W, int H, int w, int h, const std::function<bool(int, int)>& isMask);

// Title buttons laid out from the right edge: `sizes` in the order close,
// maximise, minimise (width 0 = that button is absent and takes no place;
// its rectangle comes back empty).
std::vector<Rect> LayoutTitleButtons(int layoutWidth, int btnRight, int btnTop, int gap,
                                     const std::vector<Size>& sizes);
