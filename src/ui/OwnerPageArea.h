#pragma once
// The page area of a main window as either process finds it: from the main
// window's client area and scale, or the whole client area while the main
// window is in full screen, which a mark on the window tells other processes.
#include <windows.h>

#include "ui/DpiScale.h"

// The window property a main window in full screen carries.
constexpr wchar_t kFullScreenMark[] = L"ZuvaFullScreen";

// Where `owner` shows its pages, in its client coordinates, at `scale`.
RECT PageAreaInOwner(HWND owner, const DpiScale& scale);
// Sets or clears the full-screen mark of `owner`.
void MarkFullScreen(HWND owner, bool fullScreen);
