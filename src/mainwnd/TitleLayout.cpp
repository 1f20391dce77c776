#include "mainwnd/TitleLayout.h"

#include "mainwnd/TabStripRules.h"

namespace {
// The skin's close, maximise and minimise buttons together, at 96 DPI.
constexpr int kCaptionButtonsWidth = 87;

// A control from `left` to `right` pixels (96 DPI) left of x0, from `top`
// to `bottom`: every edge is placed from x0, so neighbours that meet at
// 96 DPI meet at every DPI.
Rect LeftOf(int x0, int left, int top, int right, int bottom, const DpiScale& scale) {
    return Rect{x0 - scale.Px(left), scale.Px(top), x0 - scale.Px(right), scale.Px(bottom)};
}
}  // namespace

TitleControlsLayout LayoutTitleControlsLeftOf(int x0, const DpiScale& scale) {
    TitleControlsLayout l;
    l.hide = LeftOf(x0, 27, 0, 0, 27, scale);
    l.sound = LeftOf(x0, 54, 0, 27, 27, scale);
    l.menu = LeftOf(x0, 98, 0, 54, 28, scale);
    l.addAccount = LeftOf(x0, 198, 7, 106, 23, scale);
    return l;
}

int CaptionButtonsLeftOf(int cx, const DpiScale& scale) { return cx - scale.Px(kCaptionButtonsWidth); }

TitleControlsLayout LayoutTitleControls(int cx, const DpiScale& scale) {
    return LayoutTitleControlsLeftOf(CaptionButtonsLeftOf(cx, scale), scale);
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
