#pragma once
// The rules of the launcher's web windows that need no browser: which
// navigations are cancelled, how page buttons change frames, and how a page
// press becomes a caption press.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Whether two names of a page (tags, attribute values, input types) are the
// same, as HTML compares them: ASCII letters without regard to case.
bool SameHtmlName(std::wstring_view a, std::wstring_view b);

// Before a navigation: "app:" (exactly, first four characters) is cancelled,
// "javascript" (exactly, first ten) proceeds, anything else keeps `cancel`.
bool CancelBeforeNavigate(const std::wstring& url, bool cancel);

// Page buttons: an element of class "button" shows one of three frames of its
// background strip, each as wide as the element.
enum SpriteFrame : int { kSpriteNone = -1, kSpriteNormal = 0, kSpriteHover = 1, kSpritePressed = 2 };
long SpriteBackgroundX(int frame, long elementWidth);

struct SpriteStep {
    int frame = kSpriteNone;      // frame to show, or none
    bool hold = false;            // hold this element and capture the mouse
    bool click = false;           // click the element
};
SpriteStep SpriteMouseOut(bool dialogHasCapture);
SpriteStep SpriteMouseOver(bool dialogHasCapture, bool disabled);
SpriteStep SpriteMouseDown(bool disabled);
// A left or right release while the dialog holds the capture, inside or
// outside the held element.
SpriteStep SpriteCapturedRelease(bool releasedInside);
// A mouse-up on the element with no press captured (a disabled element): the
// frame a mouse-over would show, then a click.
SpriteStep SpriteUncapturedMouseUp(bool dialogHasCapture, bool disabled);

// The lParam of a caption press sent for a point in screen coordinates.
uint32_t PackScreenPoint(long x, long y);
// Whether (x, y) lies in [left, right) x [top, bottom).
bool PointInBox(long x, long y, long left, long top, long right, long bottom);
