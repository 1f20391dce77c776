#include "Screenshot.h"

#include <gdiplus.h>

#include <cstdint>
#include <memory>

#include "framework/Handles.h"
#include "LauncherDriver.h"
#include "WinTestSupport.h"

namespace wintest {

namespace {

// An image of cx x cy pixels compatible with the screen, selected into its
// own memory DC for as long as it lives.
class ScreenImage {
public:
    ScreenImage(int cx, int cy) : m_screen(nullptr) {
        m_dc.reset(::CreateCompatibleDC(m_screen.get()));
        m_bitmap.reset(::CreateCompatibleBitmap(m_screen.get(), cx, cy));
        if (m_dc && m_bitmap) m_select = std::make_unique<fw::SelectScope>(m_dc.get(), m_bitmap.get());
    }
    ScreenImage(const ScreenImage&) = delete;
    ScreenImage& operator=(const ScreenImage&) = delete;

    bool ok() const { return m_select != nullptr; }
    HDC dc() const { return m_dc.get(); }
    // Copies what the screen shows at `area` (screen coordinates) to (0, 0).
    void CopyScreen(const RECT& area) {
        ::BitBlt(m_dc.get(), 0, 0, area.right - area.left, area.bottom - area.top, m_screen.get(), area.left,
                 area.top, SRCCOPY);
    }
    // Saves the image as a PNG file.
    bool SavePng(const std::wstring& path) {
        m_select.reset();  // GDI+ reads a bitmap that no DC holds
        fw::GdiplusSession gdiplus;
        if (!gdiplus.ok()) return false;
        Gdiplus::Bitmap image(m_bitmap.get(), nullptr);
        // The PNG encoder's class id.
        const CLSID png = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
        return image.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
    }

private:
    fw::WindowDc m_screen;
    fw::MemoryDc m_dc;
    fw::BitmapHandle m_bitmap;
    std::unique_ptr<fw::SelectScope> m_select;  // last: the bitmap leaves its DC before either goes
};

bool WindowArea(HWND hwnd, RECT* area) {
    return ::GetWindowRect(hwnd, area) && area->right > area->left && area->bottom > area->top;
}

}  // namespace

fw::BitmapHandle PagePicture(HWND engine) {
    const std::wstring file = TempFolder() + L"zuva-page-picture-" + std::to_wstring(::GetCurrentProcessId()) +
                              L"-" + std::to_wstring(reinterpret_cast<uintptr_t>(engine)) + L".bmp";
    if (!SendEngineCommand(engine, L"picture " + file)) return fw::BitmapHandle();
    fw::BitmapHandle picture(static_cast<HBITMAP>(
        ::LoadImageW(nullptr, file.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    ::DeleteFileW(file.c_str());
    return picture;
}

COLORREF PagePicturePixel(HWND engine, int x, int y) {
    fw::BitmapHandle picture = PagePicture(engine);
    fw::WindowDc screen(nullptr);
    fw::MemoryDc source(::CreateCompatibleDC(screen.get()));
    if (!picture || !source) return CLR_INVALID;
    fw::SelectScope select(source.get(), picture.get());
    return ::GetPixel(source.get(), x, y);
}

namespace {

// Asks `engine` for a picture of its page and copies the part of it that
// `shown` (screen coordinates) covers to `target`, whose origin is at
// `origin` on the screen.
bool PlacePagePicture(HWND engine, const RECT& shown, HDC target, POINT origin) {
    RECT engineArea{};
    if (!::GetWindowRect(engine, &engineArea)) return false;
    fw::BitmapHandle picture = PagePicture(engine);
    fw::MemoryDc source(::CreateCompatibleDC(target));
    if (!picture || !source) return false;
    fw::SelectScope select(source.get(), picture.get());
    return ::BitBlt(target, shown.left - origin.x, shown.top - origin.y, shown.right - shown.left,
                    shown.bottom - shown.top, source.get(), shown.left - engineArea.left,
                    shown.top - engineArea.top, SRCCOPY) != FALSE;
}

// Every shown game page of `main` from its own engine; false when one could
// not be had.
bool PlacePages(HWND main, const RECT& area, HDC target) {
    bool all = true;
    for (HWND frame : PageFrames(main)) {
        if (!::IsWindowVisible(frame)) continue;
        HWND engine = FindPageEngineWindow(frame);
        RECT frameArea{}, engineArea{}, shown{};
        if (!engine || !::GetWindowRect(frame, &frameArea) || !::GetWindowRect(engine, &engineArea)) {
            all = false;
            continue;
        }
        // The page shows where its engine lies inside its frame and the main window.
        if (!::IntersectRect(&shown, &engineArea, &frameArea) || !::IntersectRect(&shown, &shown, &area)) continue;
        if (!PlacePagePicture(engine, shown, target, POINT{area.left, area.top})) all = false;
    }
    return all;
}

// Puts back, from `screen`, what the top-level windows above `main` cover
// of it, in their own shapes.
void KeepWindowsAbove(HWND main, const RECT& area, HDC screen, HDC target) {
    for (HWND w = ::GetTopWindow(nullptr); w && w != main; w = ::GetWindow(w, GW_HWNDNEXT)) {
        RECT windowArea{}, over{};
        if (!::IsWindowVisible(w) || !::GetWindowRect(w, &windowArea) ||
            !::IntersectRect(&over, &windowArea, &area))
            continue;
        fw::RegionHandle shape(::CreateRectRgn(0, 0, 0, 0));
        const bool shaped = shape && ::GetWindowRgn(w, shape.get()) != ERROR;
        if (shaped) {
            ::OffsetRgn(shape.get(), windowArea.left - area.left, windowArea.top - area.top);
            ::SelectClipRgn(target, shape.get());
        }
        ::BitBlt(target, over.left - area.left, over.top - area.top, over.right - over.left, over.bottom - over.top,
                 screen, over.left - area.left, over.top - area.top, SRCCOPY);
        if (shaped) ::SelectClipRgn(target, nullptr);
    }
}

}  // namespace

std::wstring ScreenshotDir() {
    std::wstring dir = BuildDir() + L"\\screenshots";
    ::CreateDirectoryW(dir.c_str(), nullptr);
    return dir;
}

bool CaptureWindowPng(HWND hwnd, const std::wstring& name) {
    return CaptureWindowPngTo(hwnd, ScreenshotDir() + L"\\" + name);
}

bool CaptureWindowPngTo(HWND hwnd, const std::wstring& path) {
    RECT area{};
    if (!WindowArea(hwnd, &area)) return false;
    ScreenImage image(area.right - area.left, area.bottom - area.top);
    if (!image.ok()) return false;
    image.CopyScreen(area);
    return image.SavePng(path);
}

bool CaptureMainWindowPng(HWND main, const std::wstring& name) {
    return CaptureMainWindowPngTo(main, ScreenshotDir() + L"\\" + name);
}

bool CaptureMainWindowPngTo(HWND main, const std::wstring& path) {
    RECT area{};
    if (!WindowArea(main, &area)) return false;
    const int cx = area.right - area.left;
    const int cy = area.bottom - area.top;
    ScreenImage screen(cx, cy), composed(cx, cy);
    if (!screen.ok() || !composed.ok()) return false;
    screen.CopyScreen(area);
    ::BitBlt(composed.dc(), 0, 0, cx, cy, screen.dc(), 0, 0, SRCCOPY);
    const bool pages = PlacePages(main, area, composed.dc());
    KeepWindowsAbove(main, area, screen.dc(), composed.dc());
    return composed.SavePng(path) && pages;
}

}  // namespace wintest
