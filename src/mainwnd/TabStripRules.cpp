#include "mainwnd/TabStripRules.h"

namespace {
int TabLeft(int i) { return kStripLeft + kTabWidth * i; }
// The caption starts past the tab's rounded corner and ends at its close box.
constexpr int kCaptionLeft = 16;
constexpr int kCaptionTop = 8;
// Between the mute mark and the close box, and between the caption and the mark.
constexpr int kMuteMarkGap = 1;
constexpr int kCaptionGap = 3;
}  // namespace

Rect TabRect(int i) { return Rect{TabLeft(i), kStripTop, TabLeft(i) + kTabWidth, kStripBottom}; }

Rect TabCloseBoxRect(int i) {
    const int left = TabLeft(i) + kCloseBoxLeft;
    return Rect{left, kStripTop, left + kCloseBoxSize, kStripTop + kCloseBoxSize};
}

Rect TabCaptionRect(int i, bool muted) {
    const int right = muted ? TabMuteMarkRect(i).left - kCaptionGap : TabLeft(i) + kCloseBoxLeft;
    return Rect{TabLeft(i) + kCaptionLeft, kCaptionTop, right, kStripTop + kTabImageHeight - 3};
}

Rect TabMuteMarkRect(int i) {
    const int right = TabLeft(i) + kCloseBoxLeft - kMuteMarkGap;
    const int top = kStripTop + (kTabImageHeight - kMuteMarkSize) / 2;
    return Rect{right - kMuteMarkSize, top, right, top + kMuteMarkSize};
}

Rect TabStripRect(int count) { return Rect{kStripLeft, kStripTop, TabLeft(count), kStripBottom}; }

TabHit HitTestTabs(int x, int y, int count) {
    TabHit hit;
    // The strip's first column and last row are its edge, not a tab.
    if (count <= 0 || y < kStripTop || y > kStripBottom - 1 || x < kStripLeft + 1 || x > TabLeft(count) - 1)
        return hit;
    hit.tab = (x - kStripLeft) / kTabWidth;
    const Rect box = TabCloseBoxRect(hit.tab);
    hit.closeBox = x >= box.left && x < box.right && y < box.bottom;
    return hit;
}

TabHoverChange TrackTabHover(const TabHover& cur, bool tipFlag, const TabHit& hit, bool leftButtonDown) {
    TabHoverChange c;
    c.next = cur;
    c.tipFlag = tipFlag;
    if (hit.tab < 0) {
        c.tipDeactivate = true;
        if (cur.hotTab < 0 && cur.closeState < 0) return c;
        if (cur.hotTab >= 0) c.invalidateOld = TabRect(cur.hotTab);
        c.next = TabHover{};
        c.tipFlag = false;
        return c;
    }
    if (!tipFlag) {
        c.tipActivate = true;
        c.tipFlag = true;
    } else if (hit.tab != cur.hotTab) {
        c.tipDeactivate = true;  // back on at the next hit test, with this tab's caption
        c.tipFlag = false;
    }
    int state = 0;
    if (hit.closeBox) {
        state = leftButtonDown ? 2 : 1;
        c.tipDeactivate = true;
    }
    if (hit.tab == cur.hotTab && state == cur.closeState) return c;
    if (hit.tab == cur.hotTab) c.invalidateOld = TabCloseBoxRect(cur.hotTab);
    else if (cur.hotTab >= 0) c.invalidateOld = TabRect(cur.hotTab);
    if (hit.tab != cur.hotTab) c.invalidateNew = TabRect(hit.tab);
    c.next = TabHover{hit.tab, state};
    return c;
}

Rect HoverLeaveArea(const TabHover& cur) { return cur.hotTab >= 0 ? TabRect(cur.hotTab) : Rect{}; }

TabMouseAction RouteTabMouse(TabMouse message, const TabHit& hit) {
    TabMouseAction a;
    if (hit.tab < 0) {
        a.defaultProcessing = true;
        return a;
    }
    switch (message) {
    case TabMouse::LButtonDown:
        a.selectTab = true;
        a.defaultProcessing = true;
        break;
    case TabMouse::NcLButtonDown:
        a.selectTab = true;  // the skin's dragging does not start
        break;
    case TabMouse::LButtonUp:
        a.closePage = hit.closeBox;
        a.defaultProcessing = true;
        break;
    case TabMouse::NcLButtonUp:
        a.closePage = hit.closeBox;
        break;
    case TabMouse::MButtonUp:
    case TabMouse::NcMButtonUp:
        a.closePage = true;  // anywhere on the tab
        break;
    case TabMouse::DoubleClick:
        break;  // never a maximise toggle
    case TabMouse::RButtonDown:
        break;  // the window's own menu does not start
    case TabMouse::RButtonUp:
        a.openTabMenu = true;
        break;
    }
    return a;
}
