#pragma once
// Where the main window puts its title-area controls and its pages, and how
// small it may become (the tabs: TabStripRules.h).
#include "ui/Geometry.h"

struct TitleControlsLayout {
    Rect hide;        // control 1001
    Rect sound;       // control 1002
    Rect menu;        // control 1003
    Rect addAccount;  // control 1005, the "log in another account" link
};

// Positions for a client area cx pixels wide. The skin's own minimise,
// maximise and close buttons take the rightmost 114 pixels.
TitleControlsLayout LayoutTitleControls(int cx);

// The area where the current page (or the hall window) is shown.
Rect PageAreaOf(const Rect& client);

constexpr int kMinimumHeight = 260;
int MinimumWidth(int pageCount);

// Applies the minimum size to a proposed window size. `adjusted` is false when
// the size may stand as it is (no pages, or large enough).
struct MinimumSizeResult {
    bool adjusted = false;
    int cx = 0;
    int cy = 0;
};
MinimumSizeResult EnforceMinimumSize(int pageCount, int cx, int cy);
