#pragma once
// The zoom a player gives a game page on top of its display's scale, in
// percent: the steps that Ctrl + wheel, Ctrl + plus and minus and the tab's
// menu go through, and the zoom the page is then shown at.
#include "base/WindowMessages.h"  // ZoomStep

// The page as its display's scale shows it.
constexpr int kActualZoom = 100;
constexpr int kZoomSteps[] = {50, 67, 75, 80, 90, 100, 110, 125, 150, 175, 200};

// The zoom after `step` from `percent`: the next step up or down (from a
// percent between two steps, the nearer one that way), held at both ends.
int SteppedZoom(int percent, ZoomStep step);
bool IsZoomStep(int percent);

// The browser's zoom (engine/PageDpi.h) for a page on a display of
// `displayDpi` at `percent`, held within the steps.
int ZoomedPagePercent(int displayDpi, int percent);
