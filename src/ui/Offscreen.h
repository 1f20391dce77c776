#pragma once
// Double buffering: an off-screen image the size of a window, painted in
// full and then copied to the screen in one block.
#include <windows.h>

#include <memory>

#include "framework/Handles.h"

class OffscreenImage {
public:
    // An image compatible with `reference`, cx x cy pixels.
    OffscreenImage(HDC reference, int cx, int cy);
    ~OffscreenImage();
    OffscreenImage(const OffscreenImage&) = delete;
    OffscreenImage& operator=(const OffscreenImage&) = delete;

    bool ok() const { return m_ok; }
    HDC dc() const { return m_dc.get(); }
    // One SRCCOPY of the whole image to (x, y) of `target`.
    void CopyTo(HDC target, int x = 0, int y = 0) const;

private:
    fw::MemoryDc m_dc;
    fw::BitmapHandle m_bitmap;
    HGDIOBJ m_oldBitmap = nullptr;
    int m_cx, m_cy;
    bool m_ok = false;
};

// An off-screen image of the part of a window (width x height) that `target`
// will actually show: its clip box. Drawing into dc() uses the window's own
// coordinates. Painting a small control's background then renders a small
// image, not the whole window.
class ClippedOffscreen {
public:
    ClippedOffscreen(HDC target, int width, int height);
    bool ok() const { return m_image && m_image->ok(); }
    HDC dc() const { return m_image->dc(); }
    void CopyTo(HDC target) const;

private:
    RECT m_area{};
    std::unique_ptr<OffscreenImage> m_image;
};

// Paints into `dc` what the parent of `control` shows under the control:
// the parent's WM_ERASEBKGND with the origin moved by the control's offset.
void PaintParentBackground(HWND control, HDC dc);
