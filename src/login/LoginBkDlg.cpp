#include "login/LoginBkDlg.h"

#include "base/PageProcess.h"
#include "base/StartupTrace.h"
#include "framework/Handles.h"
#include "resource.h"
#include "ui/LayeredPicture.h"
#include "ui/WindowDpi.h"
#include "ui/WorkArea.h"

namespace {
constexpr UINT_PTR kTimerOwnerWatch = 2;  // 800 ms: is the owning main window still there?
const UINT kPictureId = IDB_LOGIN_BACKGROUND;
}  // namespace

CLoginBkDlg::CLoginBkDlg(HWND owner) : CDialog(IDD_LOGIN_PAGE), m_dlgLogin(LoginPageAddress(), this) {
    SetOwnerWindow(owner);
}

CLoginBkDlg::~CLoginBkDlg() = default;

BOOL CLoginBkDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    TraceStartupStep("login background created");
    SetWindowText(L"KorvelFerrowind");
    PaintLayeredPicture();
    TraceStartupStep("login background painted");
    m_dlgLogin.Create(IDD_LOGIN_PAGE, this);
    TraceStartupStep("login page created");
    if (m_dlgLogin.m_hWnd) m_dlgLogin.MoveWindow(GetWindowRect(), TRUE);
    ModifyStyle(0, WS_MINIMIZEBOX);
    // A login whose main window has gone (killed, crashed) ends as well,
    // as the game window would.
    SetTimer(kTimerOwnerWatch, 800);
    return FALSE;
}

POINT CLoginBkDlg::PicturePosition() const {
    RECT area{};
    if (g_nOwnerPages > 0 && ::IsWindow(g_hOwnerWnd) && ::IsWindowVisible(g_hOwnerWnd)) {
        ::GetWindowRect(g_hOwnerWnd, &area);
    } else {
        // Before its first page the main window is a dot on the display its
        // game will fill: the login comes up there.
        area = WorkAreaOfWindow(::IsWindow(g_hOwnerWnd) ? g_hOwnerWnd : nullptr);
    }
    return POINT{area.left + (area.right - area.left - m_pictureWidth) / 2,
                 area.top + (area.bottom - area.top - m_pictureHeight) / 2};
}

bool CLoginBkDlg::PaintLayeredPicture() {
    return PaintLayeredPicture(ScaleOfWindow(m_hWnd).dpi());
}

bool CLoginBkDlg::PaintLayeredPicture(int dpi) {
    // The build makes the picture premultiplied, as a layered window takes
    // it, so no picture decoder is needed here.
    SIZE size{};
    fw::BitmapHandle picture = LoadLayeredPicture(::GetModuleHandleW(nullptr), kPictureId, dpi, &size);
    if (!picture) return false;
    m_pictureWidth = size.cx;
    m_pictureHeight = size.cy;
    fw::WindowDc screen(nullptr);
    fw::MemoryDc mem(::CreateCompatibleDC(screen.get()));
    if (!mem) return false;
    fw::SelectScope select(mem.get(), picture.get());
    if (!(::GetWindowLongW(m_hWnd, GWL_EXSTYLE) & WS_EX_LAYERED)) ModifyStyleEx(0, WS_EX_LAYERED);
    POINT at = PicturePosition();
    POINT origin{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    return ::UpdateLayeredWindow(m_hWnd, screen.get(), &at, &size, mem.get(), &origin, 0, &blend, ULW_ALPHA) !=
           FALSE;
}

BOOL CLoginBkDlg::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) return TRUE;
    return CDialog::PreTranslateMessage(msg);
}

LRESULT CLoginBkDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_LBUTTONDOWN: {
        const LRESULT r = CDialog::WindowProc(msg, wp, lp);
        // The picture drags the window from anywhere.
        POINT pt{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
        ::ClientToScreen(m_hWnd, &pt);
        SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(pt.x, pt.y));
        return r;
    }
    case WM_DPICHANGED:
        // Moved to a display of another DPI: the picture of that scale, in
        // the middle of where it was, and the page zoomed to match.
        OnDpiChanged(LOWORD(wp));
        return 0;
    case WM_WINDOWPOSCHANGED: {
        const LRESULT r = CDialog::WindowProc(msg, wp, lp);
        // The login page covers the picture exactly, wherever it goes.
        if (m_dlgLogin.m_hWnd) m_dlgLogin.MoveWindow(GetWindowRect(), TRUE);
        return r;
    }
    default:
        return CDialog::WindowProc(msg, wp, lp);
    }
}

void CLoginBkDlg::OnDpiChanged(int dpi) {
    const RECT before = GetWindowRect();
    const POINT centre{(before.left + before.right) / 2, (before.top + before.bottom) / 2};
    if (!PaintLayeredPicture(dpi)) return;
    SetWindowPos(nullptr, centre.x - m_pictureWidth / 2, centre.y - m_pictureHeight / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Not left to WM_WINDOWPOSCHANGED: a picture that grows in place, where
    // it already stood, moves nothing, and the page would keep its old size.
    if (m_dlgLogin.m_hWnd) m_dlgLogin.MoveWindow(GetWindowRect(), TRUE);
    m_dlgLogin.ZoomPage(dpi);
}

void CLoginBkDlg::OnTimer(UINT_PTR id) {
    if (id == kTimerOwnerWatch && !::IsWindow(g_hOwnerWnd)) {
        KillTimer(kTimerOwnerWatch);
        PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
}
