#include "ui/DlgEx.h"

#include <windowsx.h>

#include <vector>

#include "resource.h"
#include "ui/Offscreen.h"
#include "ui/RectConvert.h"
#include "ui/SkinGeometry.h"
#include "ui/SkinPixels.h"
#include "ui/WindowDpi.h"
#include "ui/WorkArea.h"

namespace {
// WM_GETDPISCALEDSIZE, which the headers name only for Windows 10 builds.
constexpr UINT kGetDpiScaledSize = 0x02E4;

// Top-down 32-bit pixels of a bitmap, for reading its corners.
std::vector<uint32_t> ReadPixels(HBITMAP bitmap, int width, int height) {
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = -height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    fw::WindowDc screen(nullptr);
    if (!::GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(height), pixels.data(), &bmi, DIB_RGB_COLORS))
        pixels.clear();
    return pixels;
}
}  // namespace

CDlgEx::CDlgEx(UINT templateId, CWnd* parent) : CDialog(templateId, parent) {}

CDlgEx::~CDlgEx() {
    if (m_hWnd && ::IsWindow(m_hWnd)) DestroyWindow();
}

BOOL CDlgEx::OnInitDialog() {
    CDialog::OnInitDialog();
    ModifyStyle(WS_CAPTION | DS_MODALFRAME, WS_MINIMIZEBOX);
    ModifyStyleEx(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE, 0);

    // Our layouts place everything at each scale; the dialog manager's own
    // scaling would size the window from its template and move its children.
    TurnOffDialogDpiScaling(m_hWnd);
    m_scale = ScaleOfWindow(m_hWnd);
    m_scaledFont.reset();  // a window made again starts with the font of its creation
    m_rcRestore = ToRECT(InitialRestoreRect(ToRect(WorkAreaOfWindow(m_hWnd))));
    return TRUE;
}

DialogSkinIds SmallDialogSkin() {
    DialogSkinIds skin;
    skin.background = IDB_DIALOG_FRAME;
    skin.nineGrid = true;
    skin.close = IDB_CLOSE_BUTTON;
    return skin;
}

DialogSkin LoadDialogSkin(const DialogSkinIds& ids, int dpi) {
    auto load = [dpi](UINT id) { return id ? LoadSkinBitmap(id, dpi) : fw::BitmapHandle(); };
    DialogSkin skin;
    skin.background = load(ids.background);
    skin.resizeToImage = ids.resizeToImage;
    skin.nineGrid = ids.nineGrid;
    skin.close = load(ids.close);
    skin.minimise = load(ids.minimise);
    skin.maximise = load(ids.maximise);
    skin.restore = load(ids.restore);
    return skin;
}

bool CDlgEx::SetSkin(const DialogSkinIds& ids) {
    m_skinIds = ids;
    return SetSkin(LoadDialogSkin(ids, m_scale.dpi()));
}

bool CDlgEx::SetSkin(DialogSkin skin) {
    m_bmpSkin = std::move(skin.background);
    m_bNineGrid = skin.nineGrid;

    int layoutWidth = GetClientRect().right;
    if (skin.resizeToImage && m_bmpSkin) {
        SIZE size = BitmapSize(m_bmpSkin.get());
        SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        layoutWidth = size.cx;
    }
    UpdateWindowRegion();

    m_bmpMax = std::move(skin.maximise);
    m_bmpRestore = std::move(skin.restore);
    CBtnEx* buttons[] = {&m_btnClose, &m_btnMax, &m_btnMin};
    const HBITMAP strips[] = {skin.close.get(), m_bmpMax.get(), skin.minimise.get()};
    const UINT ids[] = {kIdTitleClose, kIdTitleMax, kIdTitleMin};
    std::vector<Size> sizes;
    for (HBITMAP strip : strips) {
        const SIZE size = strip ? BitmapSize(strip) : SIZE{};
        sizes.push_back(Size{size.cx / 4, size.cy});
    }
    const std::vector<Rect> rects =
        LayoutTitleButtons(layoutWidth, m_nBtnRight, m_nBtnTop, m_nBtnGap, sizes, m_scale);
    for (size_t i = 0; i < 3; ++i) {
        if (!strips[i]) continue;
        if (buttons[i]->m_hWnd) buttons[i]->DestroyWindow();
        CreateImageButton(rects[i].right, *buttons[i], strips[i], rects[i].top, ids[i], *this);
    }
    return static_cast<bool>(m_bmpSkin);
}

void CDlgEx::UpdateWindowRegion() {
    if (m_fullScreen) {
        // Square to the display's edges: no corner is cut.
        ::SetWindowRgn(m_hWnd, nullptr, FALSE);
        return;
    }
    RECT wr = GetWindowRect();
    const int W = wr.right - wr.left;
    const int H = wr.bottom - wr.top;
    fw::RegionHandle region(::CreateRectRgn(0, 0, W, H));
    if (!region) return;
    if (m_bmpSkin) {
        const SIZE size = BitmapSize(m_bmpSkin.get());
        std::vector<uint32_t> pixels = ReadPixels(m_bmpSkin.get(), size.cx, size.cy);
        if (!pixels.empty()) {
            // DIB pixels are 0x00RRGGBB; magenta reads the same either way.
            auto isMask = [&](int x, int y) {
                return (pixels[static_cast<size_t>(y) * size.cx + x] & 0xFFFFFF) == 0xFF00FF;
            };
            for (const Rect& cut : CornerCutouts(W, H, size.cx, size.cy, isMask, m_scale)) {
                fw::RegionHandle hole(::CreateRectRgn(cut.left, cut.top, cut.right, cut.bottom));
                ::CombineRgn(region.get(), region.get(), hole.get(), RGN_DIFF);
            }
        }
    }
    // The window owns the region from here on.
    if (::SetWindowRgn(m_hWnd, region.get(), FALSE)) region.release();
}

void CDlgEx::LayOutTitleButtons(int layoutWidth) {
    auto sizeOf = [](const CBtnEx& button) {
        if (!button.m_hWnd) return Size{};
        RECT rc = button.GetWindowRect();
        return Size{rc.right - rc.left, rc.bottom - rc.top};
    };
    CBtnEx* buttons[] = {&m_btnClose, &m_btnMax, &m_btnMin};
    std::vector<Size> sizes;
    for (CBtnEx* b : buttons) sizes.push_back(sizeOf(*b));
    std::vector<Rect> rects = LayoutTitleButtons(layoutWidth, m_nBtnRight, 0, m_nBtnGap, sizes, m_scale);
    for (size_t i = 0; i < 3; ++i) {
        if (!buttons[i]->m_hWnd) continue;
        // Keep each button's own top.
        RECT rc = buttons[i]->GetWindowRect();
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
        buttons[i]->SetWindowPos(nullptr, rects[i].left, rc.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        buttons[i]->StoreWindowRect();
    }
}

void CDlgEx::PaintSkin(HDC dc) {
    RECT wr = GetWindowRect();
    const int W = wr.right - wr.left;
    const int H = wr.bottom - wr.top;
    if (!m_bmpSkin) return;
    const SIZE size = BitmapSize(m_bmpSkin.get());
    const int b = m_nBorder;
    const int c = m_nCaptionHeight == -1 ? b : m_nCaptionHeight;
    fw::MemoryDc source(::CreateCompatibleDC(dc));
    fw::SelectScope select(source.get(), m_bmpSkin.get());
    const std::vector<BlitPiece> pieces =
        m_bNineGrid ? NineGridPieces(W, H, size.cx, size.cy, b, c, m_scale)
                    : PlainSkinPieces(W, H, size.cx, size.cy, b, c, m_scale);
    const int oldMode = ::SetStretchBltMode(dc, COLORONCOLOR);
    for (const BlitPiece& p : pieces) {
        if (p.dst.width() <= 0 || p.dst.height() <= 0 || p.src.width() <= 0 || p.src.height() <= 0) continue;
        ::StretchBlt(dc, p.dst.left, p.dst.top, p.dst.width(), p.dst.height(), source.get(), p.src.left,
                     p.src.top, p.src.width(), p.src.height(), SRCCOPY);
    }
    ::SetStretchBltMode(dc, oldMode);
}

POINT CDlgEx::TitleTextOrigin(bool hasIcon) const {
    LOGFONTW lf{};
    if (HFONT font = GetFont()) ::GetObjectW(font, sizeof(lf), &lf);
    const int fontHeight = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
    const Point at = ::TitleTextOrigin(m_nCaptionHeight, m_nBorder, fontHeight, hasIcon, m_scale);
    return POINT{at.x, at.y};
}

void CDlgEx::PaintBackground(HDC dc) {
    PaintSkin(dc);
    HICON icon = reinterpret_cast<HICON>(SendMessage(WM_GETICON, ICON_SMALL));
    if (icon) {
        const Rect at = TitleIconRect(m_nCaptionHeight, m_nBorder, m_scale);
        ::DrawIconEx(dc, at.left, at.top, icon, at.width(), at.height(), 0, nullptr, DI_NORMAL);
    }
    const std::wstring title = GetWindowText();
    const POINT at = TitleTextOrigin(icon != nullptr);
    fw::SelectScope font(dc, GetFont());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(255, 255, 255));  // every skin's title band is dark
    ::TextOutW(dc, at.x, at.y, title.c_str(), static_cast<int>(title.size()));
}

BOOL CDlgEx::OnEraseBkgnd(HDC dc) {
    // Without a skin nothing is painted here, and the answer says so.
    if (!m_bmpSkin) return FALSE;
    RECT wr = GetWindowRect();
    ClippedOffscreen image(dc, wr.right - wr.left, wr.bottom - wr.top);
    if (!image.ok()) return TRUE;  // nothing of the window to show
    PaintBackground(image.dc());
    PaintExtras(image.dc());
    image.CopyTo(dc);
    return TRUE;
}

void CDlgEx::OnSize(WPARAM type, LPARAM lp) {
    Default(WM_SIZE, type, lp);
    if (!m_bmpSkin) return;
    UpdateWindowRegion();
    Invalidate(TRUE);
    LayOutTitleButtons(GetClientRect().right);
}

void CDlgEx::SetTitle(const std::wstring& text) {
    SetWindowText(text);
    const bool hasIcon = SendMessage(WM_GETICON, ICON_SMALL) != 0;
    POINT origin = TitleTextOrigin(hasIcon);
    fw::WindowDc dc(m_hWnd);
    fw::SelectScope font(dc.get(), GetFont());
    SIZE extent{};
    ::GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
    RECT client = GetClientRect();
    InvalidateRect(RECT{origin.x, origin.y, client.right, origin.y + extent.cy}, TRUE);
}

void CDlgEx::InvalidateTitleButtons() {
    for (CBtnEx* button : {&m_btnClose, &m_btnMin, &m_btnMax})
        if (button->m_hWnd) button->Invalidate(TRUE);
}

void CDlgEx::SetMaxButtonImage(bool restore) {
    if (!m_btnMax.m_hWnd) return;
    HBITMAP strip = restore ? m_bmpRestore.get() : m_bmpMax.get();
    if (strip) m_btnMax.SetImage(strip, false);
    m_btnMax.StoreWindowRect();
    m_btnMax.Invalidate(FALSE);
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
    // In full screen the frame is off the display's edge: nothing to drag or size.
    if (m_fullScreen) return HTCLIENT;
    SkinHit hit = SkinHitTest(pt.x, pt.y, client.right, client.bottom, Metrics(), m_scale);
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
    const int y = GET_Y_LPARAM(lp);
    if (m_bMaximized && !m_fullScreen && InTitleBand(y, m_nCaptionHeight, m_scale)) ToggleMaximize();
    return Default(WM_LBUTTONDBLCLK, wp, lp);
}

LRESULT CDlgEx::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_ERASEBKGND:
        return OnEraseBkgnd(reinterpret_cast<HDC>(wp));
    case WM_NCHITTEST:
        return SkinHitTestAt(POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
    case WM_NCLBUTTONDOWN:
        return OnNcLButtonDown(wp, lp);
    case WM_NCLBUTTONDBLCLK:
        return OnNcLButtonDblClk(wp, lp);
    case WM_LBUTTONDBLCLK:
        return OnLButtonDblClk(wp, lp);
    case WM_SIZE:
        ++m_sizeMessages;
        OnSize(wp, lp);
        return 0;
    case WM_DPICHANGED:
        OnDpiChanged(LOWORD(wp), reinterpret_cast<const RECT*>(lp));
        return 0;
    case kGetDpiScaledSize:
        // Answered for a window whose content decides its size; otherwise
        // the system scales it in proportion.
        if (const std::optional<SIZE> size = SizeAtDpi(static_cast<int>(wp))) {
            *reinterpret_cast<SIZE*>(lp) = *size;
            return TRUE;
        }
        return CDialog::WindowProc(msg, wp, lp);
    case WM_DISPLAYCHANGE:
        FollowDisplay();
        return CDialog::WindowProc(msg, wp, lp);
    case WM_SETTINGCHANGE:
        if (wp == SPI_SETWORKAREA) FollowDisplay();  // a taskbar moved, came or went
        return CDialog::WindowProc(msg, wp, lp);
    case WM_GETFONT:
        // The dialog manager keeps the font of creation; ours replaces it.
        if (m_scaledFont) return reinterpret_cast<LRESULT>(m_scaledFont.get());
        return CDialog::WindowProc(msg, wp, lp);
    default:
        return CDialog::WindowProc(msg, wp, lp);
    }
}
