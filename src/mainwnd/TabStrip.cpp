#include "mainwnd/TabStrip.h"

#include "mainwnd/TitleLayout.h"

Rect TabCloseBoxRect(int i) { return Rect{296 + kTabWidth * i, 3, 309 + kTabWidth * i, 16}; }

Rect TabCaptionRect(int i) { return Rect{136 + kTabWidth * i, 8, 296 + kTabWidth * i, 22}; }

Rect TabStripRect(int count) { return Rect{120, 3, 120 + kTabWidth * count, 25}; }

TabHit HitTestTabs(int x, int y, int count) {
    TabHit hit;
    if (count <= 0 || y < 3 || y > 24 || x < 121 || x > 120 + kTabWidth * count - 1) return hit;
    hit.tab = (x - 120) / kTabWidth;
    hit.closeBox = x >= 296 + kTabWidth * hit.tab && x < 309 + kTabWidth * hit.tab && y < 16;
    return hit;
}

TabHoverChange TrackTabHover(const TabHover& cur, bool tipActive, const TabHit& hit, bool leftButtonDown) {
    TabHoverChange c;
    c.next = cur;
    if (hit.tab < 0) {
        if (cur.hotTab >= 0) c.invalidateOld = TabRect(cur.hotTab);
        c.next = TabHover{};
        return c;  // tooltip off
    }
    const int state = hit.closeBox ? (leftButtonDown ? 2 : 1) : 0;
    c.tipActive = !hit.closeBox;
    c.tipNewText = c.tipActive && (!tipActive || hit.tab != cur.hotTab);
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
    }
    return a;
}
