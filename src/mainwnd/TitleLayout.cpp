#include "mainwnd/TitleLayout.h"

#include "base/WindowMessages.h"
#include "mainwnd/TabStripRules.h"

TitleControlsLayout LayoutTitleControls(int cx) {
    TitleControlsLayout l;
    l.hide = RectFromSize(cx - 114, 0, 27, 27);
    l.sound = RectFromSize(cx - 141, 0, 27, 27);
    l.menu = RectFromSize(cx - 185, 0, 44, 28);
    l.addAccount = RectFromSize(cx - 285, 7, 92, 16);
    return l;
}

Rect PageAreaOf(const Rect& client) {
    return Rect{client.left + kPageAreaInsetLeft, client.top + kPageAreaInsetTop, client.right - kPageAreaInsetRight,
                client.bottom - kPageAreaInsetBottom};
}

int MinimumWidth(int pageCount) { return pageCount * kTabWidth + 483; }

MinimumSizeResult EnforceMinimumSize(int pageCount, int cx, int cy) {
    MinimumSizeResult r{false, cx, cy};
    if (pageCount < 1) return r;
    const int minWidth = MinimumWidth(pageCount);
    if (cx < minWidth) {
        r.cx = minWidth;
        r.adjusted = true;
    }
    if (cy < kMinimumHeight) {
        r.cy = kMinimumHeight;
        r.adjusted = true;
    }
    return r;
}
