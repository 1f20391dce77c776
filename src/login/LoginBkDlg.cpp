#include "login/LoginBkDlg.h"

#include <objidl.h>
#include <gdiplus.h>

#include <memory>

#include "base/PageProcess.h"
#include "base/StartupTrace.h"
#include "base/WindowMessages.h"
#include "framework/Handles.h"
#include "resource.h"
#include "ui/LayeredPicture.h"

namespace {
const UINT kPictureId = IDB_LOGIN_BACKGROUND;

// The picture's PNG bytes in a stream of their own.
fw::ComPtr<IStream> PictureStream() {
    fw::ComPtr<IStream> stream;
    HMODULE module = ::GetModuleHandleW(nullptr);
    HRSRC res = ::FindResourceW(module, MAKEINTRESOURCEW(kPictureId), L"PNG");
    const DWORD size = res ? ::SizeofResource(module, res) : 0;
    const void* bytes = res ? ::LockResource(::LoadResource(module, res)) : nullptr;
    if (!bytes || size == 0 || FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, stream.put())))
        return fw::ComPtr<IStream>();
    ULONG written = 0;
    if (FAILED(stream->Write(bytes, size, &written)) || written != size) return fw::ComPtr<IStream>();
    return stream;
}
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
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    }
    return POINT{area.left + (area.right - area.left - m_nPictureWidth) / 2,
                 area.top + (area.bottom - area.top - m_nPictureHeight) / 2};
}

bool CLoginBkDlg::PaintLayeredPicture() {
    // The build's premultiplied picture needs no decoder; the PNG through
    // GDI+ is the way when it is missing.
    SIZE size{};
    fw::BitmapHandle prepared = LoadLayeredPicture(::GetModuleHandleW(nullptr), kPictureId, &size);
    if (prepared) return ShowLayered(prepared.get(), size);

    fw::GdiplusSession gdiplus;
    if (!gdiplus.ok()) return false;
    fw::ComPtr<IStream> stream = PictureStream();
    std::unique_ptr<Gdiplus::Image> picture(stream ? Gdiplus::Image::FromStream(stream.get()) : nullptr);
    if (!picture || picture->GetLastStatus() != Gdiplus::Ok) return false;
    size = SIZE{static_cast<LONG>(picture->GetWidth()), static_cast<LONG>(picture->GetHeight())};
    // A top-down 32-bit section drawn as premultiplied ARGB: what a layered
    // window with per-pixel alpha wants.
    BITMAPINFO bmi{};
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), size.cx, -size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    fw::WindowDc screen(nullptr);
    void* bits = nullptr;
    fw::BitmapHandle section(::CreateDIBSection(screen.get(), &bmi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!section || !bits) return false;
    {
        Gdiplus::Bitmap canvas(size.cx, size.cy, size.cx * 4, PixelFormat32bppPARGB, static_cast<BYTE*>(bits));
        Gdiplus::Graphics graphics(&canvas);
        graphics.Clear(Gdiplus::Color(0, 0, 0, 0));
        graphics.DrawImage(picture.get(), 0, 0, size.cx, size.cy);
    }
    return ShowLayered(section.get(), size);
}

bool CLoginBkDlg::ShowLayered(HBITMAP picture, SIZE size) {
    m_nPictureWidth = size.cx;
    m_nPictureHeight = size.cy;
    fw::WindowDc screen(nullptr);
    fw::MemoryDc mem(::CreateCompatibleDC(screen.get()));
    if (!mem) return false;
    fw::SelectScope select(mem.get(), picture);
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

void CLoginBkDlg::OnTimer(UINT_PTR id) {
    if (id == kTimerOwnerWatch && !::IsWindow(g_hOwnerWnd)) {
        KillTimer(kTimerOwnerWatch);
        PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
}
