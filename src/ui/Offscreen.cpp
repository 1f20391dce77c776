#include "ui/Offscreen.h"

OffscreenImage::OffscreenImage(HDC reference, int cx, int cy)
    : m_dc(::CreateCompatibleDC(reference)),
      m_bitmap(::CreateCompatibleBitmap(reference, cx > 0 ? cx : 1, cy > 0 ? cy : 1)),
      m_cx(cx),
      m_cy(cy) {
    if (m_dc && m_bitmap) {
        m_oldBitmap = ::SelectObject(m_dc.get(), m_bitmap.get());
        m_ok = true;
    }
}

OffscreenImage::~OffscreenImage() {
    if (m_oldBitmap) ::SelectObject(m_dc.get(), m_oldBitmap);
}

void OffscreenImage::CopyTo(HDC target, int x, int y) const {
    if (m_ok) ::BitBlt(target, x, y, m_cx, m_cy, m_dc.get(), 0, 0, SRCCOPY);
}

ClippedOffscreen::ClippedOffscreen(HDC target, int width, int height) {
    RECT clip{};
    const RECT whole{0, 0, width, height};
    if (::GetClipBox(target, &clip) == ERROR || !::IntersectRect(&m_area, &clip, &whole)) return;
    m_image = std::make_unique<OffscreenImage>(target, m_area.right - m_area.left, m_area.bottom - m_area.top);
    if (m_image->ok()) ::SetViewportOrgEx(m_image->dc(), -m_area.left, -m_area.top, nullptr);
}

void ClippedOffscreen::CopyTo(HDC target) const {
    if (!ok()) return;
    ::SetViewportOrgEx(m_image->dc(), 0, 0, nullptr);
    m_image->CopyTo(target, m_area.left, m_area.top);
}

void PaintParentBackground(HWND control, HDC dc) {
    HWND parent = ::GetParent(control);
    if (!parent) return;
    RECT self{}, owner{};
    ::GetWindowRect(control, &self);
    ::GetWindowRect(parent, &owner);
    POINT old{};
    ::SetViewportOrgEx(dc, -(self.left - owner.left), -(self.top - owner.top), &old);
    ::SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    ::SetViewportOrgEx(dc, old.x, old.y, nullptr);
}
