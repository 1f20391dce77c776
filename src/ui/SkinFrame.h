#pragma once
// The frame rules of a skinned window that need no window: which part of the
// window a point hits, which sizing command a border starts, and where the
// window goes when it is restored.
//
// The metrics are 96-DPI pixels that a scale places. The restore rules take
// screen rectangles only and need no scale.
#include "ui/DpiScale.h"
#include "ui/Geometry.h"

// Hit-test results; the values are the platform's HT* codes.
enum class SkinHit : int {
    Default = -1,   // let the platform decide (client area, controls)
    Caption = 2,
    Left = 10,
    Right = 11,
    Top = 12,
    TopLeft = 13,
    TopRight = 14,
    Bottom = 15,
    BottomLeft = 16,
    BottomRight = 17,
};

struct SkinFrameMetrics {
    int border = 3;          // resize border, fixed corner/edge pieces
    int captionHeight = -1;  // -1: the whole window acts as title band
    bool resizable = false;
    bool maximized = false;
};

// (x, y) in client coordinates of a client area w x h.
SkinHit SkinHitTest(int x, int y, int w, int h, const SkinFrameMetrics& m, const DpiScale& scale);

// Whether client row y lies in the title band (captionHeight -1: the whole
// window is title band).
bool InTitleBand(int y, int captionHeight, const DpiScale& scale);

// The system command that sizes the window from a border hit (SC_SIZE plus
// the direction), or 0 for a hit that is not a border.
unsigned SizeCommandForHit(SkinHit hit);

// The rectangle a window returns to before the player has moved or sized it:
// the work area inset by an eighth of its width and height.
Rect InitialRestoreRect(const Rect& workArea);

// A window of `size` centred on `area` (a work area or an owner window).
Rect CentredRect(const Rect& area, const Size& size);
