#pragma once
#include <windows.h>

#include <string>

namespace wintest {
// The folder where Windows-side tests leave their screenshots
// (build/win32/screenshots), created on first use.
std::wstring ScreenshotDir();
// Captures what the screen shows of `hwnd` (any process) into a PNG file
// named `name` in ScreenshotDir(). True when the file was written.
bool CaptureWindowPng(HWND hwnd, const std::wstring& name);
// The same into the file at `path`.
bool CaptureWindowPngTo(HWND hwnd, const std::wstring& path);
}  // namespace wintest
