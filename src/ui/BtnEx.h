#pragma once
// CBtnEx: the push button of every skinned window, drawn from a four-frame
// strip (normal, hover, pressed, disabled) over its parent's own background.
#include <string>

#include "framework/Controls.h"
#include "ui/SkinImage.h"

class CBtnEx : public CButton {
public:
    BOOL m_bTracking = FALSE;
    BOOL m_bHover = FALSE;
    RECT m_rcWnd{};           // screen rectangle; its size is the off-screen image's
    std::wstring m_strText;   // caption; empty draws none
    COLORREF m_crText = 0;
    fw::ImageListHandle m_ilFrames;
    BOOL m_bPressed = FALSE;  // sticky until the left button is released

    // Makes `strip` the button's image (the bitmap stays the caller's). With
    // `resize` the button takes the size of one frame.
    void SetImage(HBITMAP strip, bool resize);
    // Refreshes the stored window rectangle.
    void StoreWindowRect() { m_rcWnd = GetWindowRect(); }

    void PreSubclassWindow() override;
    bool OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

protected:
    virtual void DrawItem(const DRAWITEMSTRUCT& item);

private:
    void DrawFrame(HDC dc, int frame, int cx, int cy) const;
};

// Creates `button` as a visible child with id `id`, its right edge at `right`
// and its top at `top`, one frame of `strip` in size, showing that strip.
bool CreateImageButton(int right, CBtnEx& button, HBITMAP strip, int top, UINT id, CWnd& parent);

// Asks for hover (after 10 ms) and leave notifications for `wnd`.
BOOL TrackHoverAndLeave(HWND wnd);

// The hover half of a skinned control's mouse handling: the first move asks
// for notifications, and the control repaints (without erasing) when the
// mouse comes to rest on it or leaves it. True when `msg` is fully handled.
template <class HoverFlag>
bool HandleHoverTracking(HWND wnd, UINT msg, BOOL& tracking, HoverFlag& hover) {
    switch (msg) {
    case WM_MOUSEMOVE:
        if (!tracking) tracking = TrackHoverAndLeave(wnd);
        return false;  // the control's own handling goes on
    case WM_MOUSEHOVER:
        hover = true;
        ::InvalidateRect(wnd, nullptr, FALSE);
        return true;
    case WM_MOUSELEAVE:
        hover = false;
        tracking = FALSE;
        ::InvalidateRect(wnd, nullptr, FALSE);
        return true;
    default:
        return false;
    }
}
