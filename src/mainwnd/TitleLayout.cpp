#include "mainwnd/TitleLayout.h"

#include "base/WindowMessages.h"
#include "mainwnd/TabStripRules.h"

namespace {
// A control `right` to `left` pixels in from the client's right edge, from
// `top` to `bottom`: both edges are placed from the right, so neighbours
// that meet at 96 DPI meet at every DPI.
Rect FromRight(int cx, int left, int top, int right, int bottom, const DpiScale& scale) {
    return Rect{cx - scale.Px(left), scale.Px(top), cx - scale.Px(right), scale.Px(bottom)};
}
}  // namespace

TitleControlsLayout LayoutTitleControls(int cx, const DpiScale& scale) {
    TitleControlsLayout l;
    l.hide = FromRight(cx, 114, 0, 87, 27, scale);
    l.sound = FromRight(cx, 141, 0, 114, 27, scale);
    l.menu = FromRight(cx, 185, 0, 141, 28, scale);
    l.addAccount = FromRight(cx, 285, 7, 193, 23, scale);
    return l;
}

Rect PageAreaOf(const Rect& client, const DpiScale& scale) {
    return Rect{client.left + scale.Length(kPageAreaInsetLeft), client.top + scale.Length(kPageAreaInsetTop),
                client.right - scale.Length(kPageAreaInsetRight), client.bottom - scale.Length(kPageAreaInsetBottom)};
}

int MinimumHeight(const DpiScale& scale) { return scale.Length(kMinimumHeight); }

int MinimumWidth(int pageCount, const DpiScale& scale) { return scale.Length(pageCount * kTabWidth + 483); }

MinimumSizeResult EnforceMinimumSize(int pageCount, int cx, int cy, const DpiScale& scale) {
    MinimumSizeResult r{false, cx, cy};
    if (pageCount < 1) return r;
    const int minWidth = MinimumWidth(pageCount, scale);
    const int minHeight = MinimumHeight(scale);
    if (cx < minWidth) {
        r.cx = minWidth;
        r.adjusted = true;
    }
    if (cy < minHeight) {
        r.cy = minHeight;
        r.adjusted = true;
    }
    return r;
}
