#include "ui/DlgEx.h"

#include <windowsx.h>

#include "framework/Handles.h"

namespace {
Rect ToRect(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }
RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

RECT WorkArea() {
    RECT rc{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rc, 0);
    return rc;
}
}  // namespace

CDlgEx::CDlgEx(UINT templateId, CWnd* parent) : CDialog(templateId, parent) {}

BOOL CDlgEx::OnInitDialog() {
    CDialog::OnInitDialog();
    ModifyStyle(WS_CAPTION | DS_MODALFRAME, WS_MINIMIZEBOX);
    ModifyStyleEx(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE, 0);

    RECT work = WorkArea();
    m_szMax = SIZE{work.right - work.left, work.bottom - work.top};
    m_rcRestore = ToRECT(InitialRestoreRect(ToRect(work)));
    return TRUE;
}

SkinFrameMetrics CDlgEx::Metrics() const {
    SkinFrameMetrics m;
    m.border = m_nBorder;
    m.captionHeight = m_nCaptionHeight;
    m.resizable = m_bResizable;
    m.maximized = m_bMaximized;
    return m;
}

LRESULT CDlgEx::SkinHitTestAt(POINT screen) {
    POINT pt = screen;
    ::ScreenToClient(m_hWnd, &pt);
    RECT client = GetClientRect();
    SkinHit hit = SkinHitTest(pt.x, pt.y, client.right, client.bottom, Metrics());
    if (hit == SkinHit::Default) return Default(WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
    return static_cast<LRESULT>(hit);
}

LRESULT CDlgEx::OnNcLButtonDown(WPARAM hit, LPARAM lp) {
    if (unsigned command = SizeCommandForHit(static_cast<SkinHit>(hit))) {
        // Runs the system's sizing loop; it returns when the player lets go.
        SendMessage(WM_SYSCOMMAND, command, lp);
    } else {
        Default(WM_NCLBUTTONDOWN, hit, lp);
    }
    // Each move or resize by the player is where a later restore goes back to.
    m_rcRestore = GetWindowRect();
    return 0;
}

LRESULT CDlgEx::OnNcLButtonDblClk(WPARAM hit, LPARAM lp) {
    if (hit == HTCAPTION && m_bResizable) {
        ToggleMaximize();
        return 0;
    }
    return Default(WM_NCLBUTTONDBLCLK, hit, lp);
}

LRESULT CDlgEx::OnLButtonDblClk(WPARAM wp, LPARAM lp) {
    // A maximised window's title band is client area.
    int y = GET_Y_LPARAM(lp);
    if (m_bMaximized && (m_nCaptionHeight == -1 || (y >= 0 && y < m_nCaptionHeight))) ToggleMaximize();
    return Default(WM_LBUTTONDBLCLK, wp, lp);
}

void CDlgEx::ToggleMaximize() {
    if (m_bMaximized) {
        MoveWindow(m_rcRestore, TRUE);
    } else {
        RECT work = WorkArea();
        MoveWindow(ToRECT(MaximizedRect(ToRect(work), Size{m_szMax.cx, m_szMax.cy})), TRUE);
    }
    m_bMaximized = !m_bMaximized;
}

void CDlgEx::OnTitleClose() { PostMessage(WM_SYSCOMMAND, SC_CLOSE, 0); }

void CDlgEx::OnTitleMinimize() { PostMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0); }

bool CDlgEx::OnCommand(UINT id, UINT code, HWND ctl) {
    switch (id) {
    case kIdTitleClose: OnTitleClose(); return true;
    case kIdTitleMax: ToggleMaximize(); return true;
    case kIdTitleMin: OnTitleMinimize(); return true;
    default: return CDialog::OnCommand(id, code, ctl);
    }
}

POINT CDlgEx::TitleTextOrigin() const {
    LOGFONTW lf{};
    if (HFONT font = GetFont()) ::GetObjectW(font, sizeof(lf), &lf);
    int fontHeight = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
    int q = (m_nCaptionHeight + 1 - fontHeight) / 2;
    bool hasIcon = SendMessage(WM_GETICON, ICON_SMALL) != 0;
    return POINT{m_nBorder + 5 + (hasIcon ? 16 : 0), q < 0 ? 4 : q - 2};
}

void CDlgEx::SetTitle(const std::wstring& text) {
    SetWindowText(text);
    POINT origin = TitleTextOrigin();
    fw::WindowDc dc(m_hWnd);
    fw::SelectScope font(dc.get(), GetFont());
    SIZE extent{};
    ::GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
    RECT client = GetClientRect();
    InvalidateRect(RECT{origin.x, origin.y, client.right, origin.y + extent.cy}, TRUE);
}

void CDlgEx::InvalidateTitleButtons() {
    for (UINT id : {kIdTitleClose, kIdTitleMin, kIdTitleMax}) {
        if (HWND button = GetDlgItem(static_cast<int>(id))) ::InvalidateRect(button, nullptr, TRUE);
    }
}

void CDlgEx::PaintSkin(HDC dc) {
    RECT client = GetClientRect();
    HBRUSH brush = reinterpret_cast<HBRUSH>(SendMessage(WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc),
                                                        reinterpret_cast<LPARAM>(m_hWnd)));
    ::FillRect(dc, &client, brush ? brush : ::GetSysColorBrush(COLOR_3DFACE));
}

LRESULT CDlgEx::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_NCHITTEST:
        return SkinHitTestAt(POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
    case WM_NCLBUTTONDOWN:
        return OnNcLButtonDown(wp, lp);
    case WM_NCLBUTTONDBLCLK:
        return OnNcLButtonDblClk(wp, lp);
    case WM_LBUTTONDBLCLK:
        return OnLButtonDblClk(wp, lp);
    default:
        return CDialog::WindowProc(msg, wp, lp);
    }
}
