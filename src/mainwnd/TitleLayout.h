#pragma once
// Where the main window puts its title-area controls and its pages, and how
// small it may become (the tabs: TabStripRules.h; the pages: ui/PageArea.h). The numbers are 96-DPI
// pixels that `scale` places; window and client sizes are real pixels.
#include "ui/DpiScale.h"
#include "ui/Geometry.h"

struct TitleControlsLayout {
    Rect hide;        // control 1001
    Rect sound;       // control 1002
    Rect menu;        // control 1003
    Rect addAccount;  // control 1005, the "log in another account" link
};

// Positions left of `captionButtonsLeft`, the x where the skin's own
// minimise, maximise and close buttons begin: the hide button touches them
// whatever width their frames have at a scale.
TitleControlsLayout LayoutTitleControlsLeftOf(int captionButtonsLeft, const DpiScale& scale);
// Where the caption buttons begin in a client area cx pixels wide when they
// take their 96-DPI width of 87 pixels, scaled.
int CaptionButtonsLeftOf(int cx, const DpiScale& scale);
// The title controls left of that.
TitleControlsLayout LayoutTitleControls(int cx, const DpiScale& scale);

constexpr int kMinimumHeight = 260;
int MinimumHeight(const DpiScale& scale);
int MinimumWidth(int pageCount, const DpiScale& scale);

// Applies the minimum size to a proposed window size. `adjusted` is false when
// the size may stand as it is (no pages, or large enough).
struct MinimumSizeResult {
    bool adjusted = false;
    int cx = 0;
    int cy = 0;
};
MinimumSizeResult EnforceMinimumSize(int pageCount, int cx, int cy, const DpiScale& scale);
