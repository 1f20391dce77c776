#include "ui/BtnEx.h"

#include "ui/ControlLayout.h"
#include "ui/Offscreen.h"
#include "ui/SkinPixels.h"

BOOL TrackHoverAndLeave(HWND wnd) {
    TRACKMOUSEEVENT tme{};
    tme.cbSize = sizeof(tme);
    tme.dwFlags = TME_HOVER | TME_LEAVE;
    tme.hwndTrack = wnd;
    tme.dwHoverTime = 10;
    return ::TrackMouseEvent(&tme);
}

void CBtnEx::PreSubclassWindow() {
    m_strText = GetWindowText();
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
    StoreWindowRect();
}

void CBtnEx::SetImage(HBITMAP strip, bool resize) {
    const SIZE size = BitmapSize(strip);
    const int frameWidth = size.cx / 4;
    m_ilFrames = MakeMaskedImageList(strip, frameWidth, size.cy, 4);
    if (resize) SetWindowPos(nullptr, 0, 0, frameWidth, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    StoreWindowRect();
}

bool CBtnEx::OnChildNotify(UINT msg, WPARAM, LPARAM lp, LRESULT* result) {
    if (msg != WM_DRAWITEM) return false;
    DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
    *result = TRUE;
    return true;
}

void CBtnEx::DrawFrame(HDC dc, int frame, int cx, int cy) const {
    int frameWidth = 0, frameHeight = 0;
    if (!m_ilFrames || !::ImageList_GetIconSize(m_ilFrames.get(), &frameWidth, &frameHeight)) return;
    if (frameWidth == cx && frameHeight == cy) {
        ::ImageList_Draw(m_ilFrames.get(), frame, dc, 0, 0, ILD_TRANSPARENT);
        return;
    }
    // Stretched: draw the frame onto magenta, then stretch it with magenta
    // still transparent. GDI's own name for the transparent copy: the usual
    // one lives in a DLL that is not a known DLL, which would be looked for
    // beside the program first.
    OffscreenImage temp(dc, frameWidth, frameHeight);
    if (!temp.ok()) return;
    fw::BrushHandle magenta(::CreateSolidBrush(kMaskColour));
    RECT all{0, 0, frameWidth, frameHeight};
    ::FillRect(temp.dc(), &all, magenta.get());
    ::ImageList_Draw(m_ilFrames.get(), frame, temp.dc(), 0, 0, ILD_TRANSPARENT);
    ::GdiTransparentBlt(dc, 0, 0, cx, cy, temp.dc(), 0, 0, frameWidth, frameHeight, kMaskColour);
}

void CBtnEx::DrawItem(const DRAWITEMSTRUCT& item) {
    // The item's own rectangle rather than a stored one: the owner may have
    // resized the button since its image was set.
    const int cx = item.rcItem.right - item.rcItem.left;
    const int cy = item.rcItem.bottom - item.rcItem.top;
    OffscreenImage image(item.hDC, cx, cy);
    if (!image.ok()) return;

    PaintParentBackground(m_hWnd, image.dc());

    bool sticky = m_bPressed != FALSE;
    const int frame = ChooseButtonFrame((item.itemState & (ODS_DISABLED | ODS_GRAYED)) != 0,
                                        (item.itemState & ODS_SELECTED) != 0, m_bHover != FALSE, sticky);
    m_bPressed = sticky;
    DrawFrame(image.dc(), frame, cx, cy);

    if (!m_strText.empty()) {
        HFONT font = GetFont();
        fw::SelectScope selectFont(image.dc(), font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(DEFAULT_GUI_FONT));
        ::SetBkMode(image.dc(), TRANSPARENT);
        ::SetTextColor(image.dc(), frame == 3 ? ::GetSysColor(COLOR_GRAYTEXT) : m_crText);
        RECT client = GetClientRect();
        ::DrawTextW(image.dc(), m_strText.c_str(), static_cast<int>(m_strText.size()), &client,
                    DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    image.CopyTo(item.hDC);
}

LRESULT CBtnEx::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (HandleHoverTracking(m_hWnd, msg, m_bTracking, m_bHover)) return 0;
    switch (msg) {
    case WM_ERASEBKGND:
        return TRUE;  // the background is part of each paint
    case WM_LBUTTONUP: {
        const bool wasPressed = m_bPressed != FALSE;
        m_bPressed = FALSE;
        const LRESULT result = CButton::WindowProc(msg, wp, lp);
        // Released away from the button the control sees no change of its own
        // and would leave the pressed frame on screen.
        if (wasPressed && m_hWnd) Invalidate(FALSE);
        return result;
    }
    default:
        break;
    }
    return CButton::WindowProc(msg, wp, lp);
}

bool CreateImageButton(int right, CBtnEx& button, HBITMAP strip, int top, UINT id, CWnd& parent) {
    const SIZE size = BitmapSize(strip);
    const int width = size.cx / 4;
    RECT rc{right - width, top, right, top + size.cy};
    if (!button.CreateEx(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE, rc, parent.m_hWnd, id)) return false;
    button.SetImage(strip, false);
    return true;
}
