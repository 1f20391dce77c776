#include "ui/SkinFrame.h"

bool InTitleBand(int y, int captionHeight, const DpiScale& scale) {
    return captionHeight == -1 || (y >= 0 && y < scale.Px(captionHeight));
}

SkinHit SkinHitTest(int x, int y, int w, int h, const SkinFrameMetrics& m, const DpiScale& scale) {
    if (m.maximized) return SkinHit::Default;
    const int b = scale.Length(m.border);
    const bool inCaption = InTitleBand(y, m.captionHeight, scale);
    if (!m.resizable) return inCaption ? SkinHit::Caption : SkinHit::Default;

    const bool left = x >= 0 && x < b;
    const bool right = x >= w - b && x < w;
    const bool top = y >= 0 && y < b;
    const bool bottom = y >= h - b && y < h;
    if (left) return top ? SkinHit::TopLeft : bottom ? SkinHit::BottomLeft : SkinHit::Left;
    if (right) return top ? SkinHit::TopRight : bottom ? SkinHit::BottomRight : SkinHit::Right;
    // The top sizing band is a fixed 3 pixels whatever the border width.
    if (y >= 0 && y < scale.Length(3)) return SkinHit::Top;
    if (inCaption || y < 0) return SkinHit::Caption;
    if (bottom) return SkinHit::Bottom;
    return SkinHit::Default;
}

unsigned SizeCommandForHit(SkinHit hit) {
    const unsigned scSize = 0xF000;
    switch (hit) {
    case SkinHit::Left: return scSize + 1;
    case SkinHit::Right: return scSize + 2;
    case SkinHit::Top: return scSize + 3;
    case SkinHit::TopLeft: return scSize + 4;
    case SkinHit::TopRight: return scSize + 5;
    case SkinHit::Bottom: return scSize + 6;
    case SkinHit::BottomLeft: return scSize + 7;
    case SkinHit::BottomRight: return scSize + 8;
    default: return 0;
    }
}

Rect InitialRestoreRect(const Rect& work) {
    const int dx = work.width() / 8;
    const int dy = work.height() / 8;
    return Rect{work.left + dx, work.top + dy, work.right - dx, work.bottom - dy};
}

Rect CentredRect(const Rect& area, const Size& size) {
    return RectFromSize(area.left + (area.width() - size.cx) / 2, area.top + (area.height() - size.cy) / 2, size.cx,
                        size.cy);
}
