#pragma once
// The tab strip in the main window's title area: where tabs and their close
// boxes lie, which tab a point is on, and how the hover state follows the
// mouse. Every number of the strip's geometry is here, in 96-DPI pixels;
// `scale` places them at the window's DPI, where rounded tab widths may
// alternate by a pixel.
#include "ui/DpiScale.h"
#include "ui/Geometry.h"

// Tab i spans kTabWidth from kStripLeft + i * kTabWidth, from kStripTop to
// kStripBottom; its image is kTabImageHeight tall.
constexpr int kStripLeft = 120;
constexpr int kStripTop = 3;
constexpr int kStripBottom = 25;
constexpr int kTabWidth = 189;
constexpr int kTabImageHeight = 22;
// The close box: kCloseBoxSize square, kCloseBoxLeft into its tab, at the
// strip's top.
constexpr int kCloseBoxLeft = 176;
constexpr int kCloseBoxSize = 13;
// A muted account's mark: kMuteMarkSize square, left of the close box,
// centred on the tab's height.
constexpr int kMuteMarkSize = 13;

// Tab i of the strip.
Rect TabRect(int index, const DpiScale& scale);
Rect TabCloseBoxRect(int index, const DpiScale& scale);
// The caption ends at the close box, or before the mute mark of a muted
// account.
Rect TabCaptionRect(int index, bool muted, const DpiScale& scale);
Rect TabMuteMarkRect(int index, const DpiScale& scale);
// The whole strip to repaint for n tabs: (120, 3) to (120 + 189 n, 25).
Rect TabStripRect(int count, const DpiScale& scale);

struct TabHit {
    int tab = -1;           // -1: not on the strip
    bool closeBox = false;  // on that tab's close box
};
// The strip as a mouse target: x from 121 to 120 + 189 n - 1, y from 3 to 24.
// A point is on the tab whose TabRect (as drawn at `scale`) holds it.
TabHit HitTestTabs(int x, int y, int count, const DpiScale& scale);

// The hover state: the tab under the mouse and its close box's state
// (-1 none, 0 shown, 1 hot, 2 pressed).
struct TabHover {
    int hotTab = -1;
    int closeState = -1;
};

// What a hit test does to the hover state, the tooltip and the repaint.
// The tooltip shows the whole caption of the tab under the mouse. Moving to
// another tab turns it off, and the next hit test turns it on again with
// the new caption; over a close box it goes off and stays off until the
// mouse reaches another tab; off the strip it goes off.
struct TabHoverChange {
    TabHover next;
    Rect invalidateOld;  // empty: nothing
    Rect invalidateNew;  // empty: nothing
    bool tipActivate = false;    // turn the tooltip on, with the hot tab's caption
    bool tipDeactivate = false;  // turn it off (after any turning on)
    bool tipFlag = false;        // the tooltip counts as on from now (m_bTipActive)
};
TabHoverChange TrackTabHover(const TabHover& current, bool tipFlag, const TabHit& hit, bool leftButtonDown,
                             const DpiScale& scale);

// Clearing the hover state when the mouse leaves: what to repaint.
Rect HoverLeaveArea(const TabHover& current, const DpiScale& scale);

// What the main window does with a mouse message on the strip.
enum class TabMouse {
    LButtonDown,
    NcLButtonDown,
    LButtonUp,
    NcLButtonUp,
    MButtonUp,
    NcMButtonUp,
    DoubleClick,
    RButtonDown,  // either area
    RButtonUp,    // either area
};
struct TabMouseAction {
    bool selectTab = false;
    bool closePage = false;
    bool openTabMenu = false;  // the tab's own menu, instead of the window's
    bool defaultProcessing = false;
};
TabMouseAction RouteTabMouse(TabMouse message, const TabHit& hit);
