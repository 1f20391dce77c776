#pragma once
// Where the pieces of a skin go: background slices, corner cut-outs, the
// title buttons, the title icon and text, for a window of a given size.
//
// Window and bitmap sizes are real pixels; the skin's own numbers (border,
// title band, button margins) are 96-DPI pixels that `scale` places. A bitmap
// drawn for a scale holds every 96-DPI edge x of its art at scale.Px(x).
#include <functional>
#include <vector>

#include "ui/DpiScale.h"
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
std::vector<BlitPiece> NineGridPieces(int W, int H, int w, int h, int b, int c, const DpiScale& scale);
// Plain: the bitmap unscaled at the top-left, then the right edge and the
// bottom band redrawn from the bitmap's own so a larger window keeps its frame.
std::vector<BlitPiece> PlainSkinPieces(int W, int H, int w, int h, int b, int c, const DpiScale& scale);

// The window pixels to cut away: every magenta pixel of the bitmap's four
// 9 x 9 corners (96-DPI pixels; fewer when the bitmap is smaller), placed at
// the same distance from the window's matching corner. `isMask(x, y)` tells
// whether the bitmap pixel at (x, y), top row 0, is the mask colour.
// Horizontal runs are merged into one rectangle.
std::vector<Rect> CornerCutouts(int W, int H, int w, int h, const std::function<bool(int, int)>& isMask,
                                const DpiScale& scale);

// Title buttons laid out from the right edge: `sizes` (real frame sizes) in
// the order close, maximise, minimise (width 0 = that button is absent and
// takes no place; its rectangle comes back empty). Each button starts where
// the previous one ends, so buttons never overlap or part whatever their
// frames' rounding at a scale.
std::vector<Rect> LayoutTitleButtons(int layoutWidth, int btnRight, int btnTop, int gap,
                                     const std::vector<Size>& sizes, const DpiScale& scale);

// The window's small icon in its title band (16 x 16 at 96 DPI), after the
// border; a window whose whole area is title band (captionHeight -1) keeps
// it near the top.
Rect TitleIconRect(int captionHeight, int border, const DpiScale& scale);
// Where the title text starts: past the icon, if any, and centred on the
// band for a font `fontHeight` real pixels tall.
Point TitleTextOrigin(int captionHeight, int border, int fontHeight, bool hasIcon,
                      const DpiScale& scale);
