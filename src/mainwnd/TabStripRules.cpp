#include "mainwnd/TabStripRules.h"

namespace {
int TabLeft(int i) { return kStripLeft + kTabWidth * i; }
// The caption starts past the tab's rounded corner and ends at its close box.
constexpr int kCaptionLeft = 16;
constexpr int kCaptionTop = 8;
// Between the mute mark and the close box, and between the caption and the mark.
constexpr int kMuteMarkGap = 1;
constexpr int kCaptionGap = 3;

// The 96-DPI rectangles; the scaled ones are their edges placed at a scale.
Rect BaseCloseBox(int i) { return RectFromSize(TabLeft(i) + kCloseBoxLeft, kStripTop, kCloseBoxSize, kCloseBoxSize); }

Rect BaseMuteMark(int i) {
    const int right = TabLeft(i) + kCloseBoxLeft - kMuteMarkGap;
    const int top = kStripTop + (kTabImageHeight - kMuteMarkSize) / 2;
    return Rect{right - kMuteMarkSize, top, right, top + kMuteMarkSize};
}
}  // namespace

Rect TabRect(int i, const DpiScale& scale) {
    return scale.Of(Rect{TabLeft(i), kStripTop, TabLeft(i) + kTabWidth, kStripBottom});
}

Rect TabCloseBoxRect(int i, const DpiScale& scale) { return scale.Of(BaseCloseBox(i)); }

Rect TabCaptionRect(int i, bool muted, const DpiScale& scale) {
    const int right = muted ? BaseMuteMark(i).left - kCaptionGap : TabLeft(i) + kCloseBoxLeft;
    return scale.Of(Rect{TabLeft(i) + kCaptionLeft, kCaptionTop, right, kStripTop + kTabImageHeight - 3});
}

Rect TabMuteMarkRect(int i, const DpiScale& scale) { return scale.Of(BaseMuteMark(i)); }

Rect TabStripRect(int count, const DpiScale& scale) {
    return scale.Of(Rect{kStripLeft, kStripTop, TabLeft(count), kStripBottom});
}

TabHit HitTestTabs(int x, int y, int count, const DpiScale& scale) {
    TabHit hit;
    // The strip's first column is its edge, not a tab.
    const Rect strip = TabStripRect(count, scale);
    if (count <= 0 || !strip.contains(x, y) || x < scale.Px(kStripLeft + 1)) return hit;
    // Scaled tabs are not all equally wide, so the tab is found by its drawn
    // rectangle rather than by dividing. The estimate is at most one off.
    int tab = scale.Unscale(x - strip.left) / kTabWidth;
    if (tab >= count) tab = count - 1;
    while (tab > 0 && x < TabRect(tab, scale).left) --tab;
    while (tab + 1 < count && x >= TabRect(tab, scale).right) ++tab;
    hit.tab = tab;
    hit.closeBox = TabCloseBoxRect(tab, scale).contains(x, y);
    return hit;
}

TabHoverChange TrackTabHover(const TabHover& cur, bool tipFlag, const TabHit& hit, bool leftButtonDown,
                             const DpiScale& scale) {
    TabHoverChange c;
    c.next = cur;
    c.tipFlag = tipFlag;
    if (hit.tab < 0) {
        c.tipDeactivate = true;
        if (cur.hotTab < 0 && cur.closeState < 0) return c;
        if (cur.hotTab >= 0) c.invalidateOld = TabRect(cur.hotTab, scale);
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
    if (hit.tab == cur.hotTab) c.invalidateOld = TabCloseBoxRect(cur.hotTab, scale);
    else if (cur.hotTab >= 0) c.invalidateOld = TabRect(cur.hotTab, scale);
    if (hit.tab != cur.hotTab) c.invalidateNew = TabRect(hit.tab, scale);
    c.next = TabHover{hit.tab, state};
    return c;
}

Rect HoverLeaveArea(const TabHover& cur, const DpiScale& scale) {
    return cur.hotTab >= 0 ? TabRect(cur.hotTab, scale) : Rect{};
}

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
