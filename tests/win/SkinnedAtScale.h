#pragma once
// A skinned window of any process as its display scale draws it.
#include <windows.h>

namespace wintest {

// `window`'s close button is a frame of skin image `closeImage` drawn for
// the window's scale, `btnRight` and `btnTop` 96-DPI pixels from its top
// right corner, and its title band drags it down to the scaled
// `captionHeight` and no further (0: it has no title band).
void ExpectSkinnedAtItsScale(HWND window, unsigned closeImage, int captionHeight, int btnRight, int btnTop);

}  // namespace wintest
