#include "engine/PageRules.h"

namespace {
wchar_t AsciiLower(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; }
}  // namespace

bool SameHtmlName(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    }
    return true;
}

bool CancelBeforeNavigate(const std::wstring& url, bool cancel) {
    if (url.compare(0, 4, L"app:") == 0) return true;
    if (url.size() >= 10 && url.compare(0, 10, L"javascript") == 0) return false;
    return cancel;
}

long SpriteBackgroundX(int frame, long elementWidth) { return -static_cast<long>(frame) * elementWidth; }

SpriteStep SpriteMouseOut(bool dialogHasCapture) {
    SpriteStep s;
    if (!dialogHasCapture) s.frame = kSpriteNormal;
    return s;
}

SpriteStep SpriteMouseOver(bool dialogHasCapture, bool disabled) {
    SpriteStep s;
    if (!dialogHasCapture && !disabled) s.frame = kSpriteHover;
    return s;
}

SpriteStep SpriteMouseDown(bool disabled) {
    SpriteStep s;
    if (disabled) return s;
    s.hold = true;
    s.frame = kSpritePressed;
    return s;
}

SpriteStep SpriteCapturedRelease(bool releasedInside) {
    SpriteStep s;
    s.frame = releasedInside ? kSpriteHover : kSpriteNormal;
    s.click = releasedInside;
    return s;
}

SpriteStep SpriteUncapturedMouseUp(bool dialogHasCapture, bool disabled) {
    // As a mouse-over would show it (a disabled element stays as it is),
    // then the page's own click.
    SpriteStep s = SpriteMouseOver(dialogHasCapture, disabled);
    s.click = true;
    return s;
}

uint32_t PackScreenPoint(long x, long y) {
    return (static_cast<uint32_t>(y) << 16) | (static_cast<uint32_t>(x) & 0xFFFF);
}

bool PointInBox(long x, long y, long left, long top, long right, long bottom) {
    return x >= left && x < right && y >= top && y < bottom;
}
