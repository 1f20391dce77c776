#include "Screenshot.h"

#include <gdiplus.h>

#include "framework/Handles.h"
#include "WinTestSupport.h"

namespace wintest {

std::wstring ScreenshotDir() {
    std::wstring dir = BuildDir() + L"\\screenshots";
    ::CreateDirectoryW(dir.c_str(), nullptr);
    return dir;
}

bool CaptureWindowPng(HWND hwnd, const std::wstring& name) {
    return CaptureWindowPngTo(hwnd, ScreenshotDir() + L"\\" + name);
}

bool CaptureWindowPngTo(HWND hwnd, const std::wstring& path) {
    RECT rc{};
    if (!::GetWindowRect(hwnd, &rc) || rc.right <= rc.left || rc.bottom <= rc.top) return false;
    const int cx = rc.right - rc.left;
    const int cy = rc.bottom - rc.top;

    fw::WindowDc screen(nullptr);
    fw::MemoryDc mem(::CreateCompatibleDC(screen.get()));
    fw::BitmapHandle bitmap(::CreateCompatibleBitmap(screen.get(), cx, cy));
    if (!mem || !bitmap) return false;
    {
        fw::SelectScope select(mem.get(), bitmap.get());
        ::BitBlt(mem.get(), 0, 0, cx, cy, screen.get(), rc.left, rc.top, SRCCOPY);
    }

    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return false;
    bool saved = false;
    {
        Gdiplus::Bitmap image(bitmap.get(), nullptr);
        // The PNG encoder's class id.
        const CLSID png = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
        saved = image.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
    }
    Gdiplus::GdiplusShutdown(token);
    return saved;
}

}  // namespace wintest
