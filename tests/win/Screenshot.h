#pragma once
#include <windows.h>

#include <string>

#include "framework/Handles.h"

namespace wintest {
// The folder where Windows-side tests leave their screenshots
// (build/win32/screenshots), created on first use.
std::wstring ScreenshotDir();
// Captures what the screen shows of `hwnd` (any process) into a PNG file
// named `name` in ScreenshotDir(). True when the file was written.
bool CaptureWindowPng(HWND hwnd, const std::wstring& name);
// The same into the file at `path`.
bool CaptureWindowPngTo(HWND hwnd, const std::wstring& path);

// Captures a launcher's main window as a player sees it. Under Wine the
// game pages inside it, windows of other processes, are not drawn on
// screen, so each shown page's engine is asked for a picture of its page
// (the "picture" test command), which goes where the page sits; windows
// above the main window (boxes, menus, tooltips) stay on top as the screen
// shows them. True when the file was written with every shown page's
// picture in it.
bool CaptureMainWindowPng(HWND main, const std::wstring& name);
bool CaptureMainWindowPngTo(HWND main, const std::wstring& path);

// The picture a scripted page engine paints of its client area, and one of
// its pixels (CLR_INVALID when there is none).
fw::BitmapHandle PagePicture(HWND engine);
COLORREF PagePicturePixel(HWND engine, int x, int y);
}  // namespace wintest
