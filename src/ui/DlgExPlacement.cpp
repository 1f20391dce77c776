// CDlgEx, where it stands: maximised, in full screen, and following its
// display when the display, its work area or its scale changes.
#include "ui/DlgEx.h"

#include <vector>

#include "ui/DialogTemplateFont.h"
#include "ui/RectConvert.h"
#include "ui/SkinCatalog.h"
#include "ui/TaskbarFullScreen.h"
#include "ui/WindowDpi.h"
#include "ui/WorkArea.h"

namespace {
std::optional<int> TemplatePointSize(UINT templateId) {
    HMODULE module = ::GetModuleHandleW(nullptr);
    // Resource handles belong to the module and are never freed.
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(templateId), MAKEINTRESOURCEW(5));  // RT_DIALOG
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
    if (!bytes) return std::nullopt;
    return DialogTemplatePointSize(static_cast<const uint8_t*>(bytes), ::SizeofResource(module, found));
}

bool BelongsToThisProcess(HWND window) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    return pid == ::GetCurrentProcessId();
}

}  // namespace

fw::FontHandle CDlgEx::DialogFontAt(const DpiScale& scale) const {
    // Read only at a scale change, never on the way to a first show.
    const std::optional<int> points = TemplatePointSize(GetTemplateId());
    HFONT current = GetFont();
    LOGFONTW lf{};
    if (!points || !current || !::GetObjectW(current, sizeof(lf), &lf)) return fw::FontHandle();
    lf.lfHeight = scale.FontHeight(*points);
    lf.lfWidth = 0;
    return fw::FontHandle(::CreateFontIndirectW(&lf));
}

void CDlgEx::RescaleDialogFont() {
    // The dialog manager made the font once, at the DPI of creation, and is
    // kept out of DPI changes (it would also move and size the children,
    // which our layouts place).
    HFONT current = GetFont();
    fw::FontHandle font = DialogFontAt(m_scale);
    if (!font) return;
    // Children of other processes (game pages) keep fonts of their own.
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!BelongsToThisProcess(child)) continue;
        if (reinterpret_cast<HFONT>(::SendMessageW(child, WM_GETFONT, 0, 0)) == current)
            ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    }
    // No child shows the font replaced here any longer.
    m_scaledFont = std::move(font);
}

void CDlgEx::OnDpiChanged(int dpi, const RECT* suggested) {
    m_scale = DpiScale(dpi);
    RescaleDialogFont();
    if (m_skinIds) {
        SetSkin(LoadDialogSkin(*m_skinIds, dpi));
        if (m_bMaximized) SetMaxButtonImage(true);
    }
    OnScaleChanged();
    const std::optional<RECT> to = PlaceAtScale(dpi, suggested);
    PlaceAndLayOut(to ? &*to : nullptr, false);
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

std::optional<RECT> CDlgEx::PlaceAtScale(int dpi, const RECT* suggested) {
    // The system suggests a place on the display the window moves to.
    const RECT where = suggested ? *suggested : GetWindowRect();
    if (const std::optional<RECT> area = AreaToFill(where)) return area;
    if (const std::optional<SIZE> size = SizeAtDpi(dpi))
        return RECT{where.left, where.top, where.left + size->cx, where.top + size->cy};
    if (suggested) return *suggested;
    return std::nullopt;
}

std::optional<SIZE> CDlgEx::SizeAtDpi(int dpi) {
    if (!m_skinIds || !m_skinIds->resizeToImage || !m_skinIds->background) return std::nullopt;
    const Size picture = SkinImageSize(m_skinIds->background, dpi);
    if (picture.cx <= 0 || picture.cy <= 0) return std::nullopt;
    return SIZE{picture.cx, picture.cy};
}

std::optional<RECT> CDlgEx::AreaToFill(const RECT& where) {
    if (m_fullScreen) {
        // A maximised window goes back from full screen to the work area
        // of the display it is on now.
        if (m_bMaximized) m_beforeFullScreen = WorkAreaAt(where);
        return DisplayAt(where);
    }
    if (m_bMaximized) return WorkAreaAt(where);
    return std::nullopt;
}

void CDlgEx::FollowDisplay() {
    const RECT now = GetWindowRect();
    const std::optional<RECT> area = AreaToFill(now);
    if (!area || ::EqualRect(&*area, &now)) return;
    // The size message lays the window out at its new size.
    SetWindowPos(nullptr, area->left, area->top, area->right - area->left, area->bottom - area->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void CDlgEx::ToggleMaximize() {
    if (m_bMaximized) {
        MoveWindow(m_rcRestore, TRUE);
        SetMaxButtonImage(false);
    } else {
        // The work area of the display the window is on, where the player put it.
        MoveWindow(WorkAreaOfWindow(m_hWnd), TRUE);
        SetMaxButtonImage(true);
    }
    m_btnMax.m_bTracking = FALSE;
    m_btnMax.m_bHover = FALSE;
    m_bMaximized = !m_bMaximized;
}

void CDlgEx::PlaceAndLayOut(const RECT* to, bool keepSize) {
    const unsigned sizesBefore = m_sizeMessages;
    if (to) {
        SetWindowPos(nullptr, to->left, to->top, to->right - to->left, to->bottom - to->top,
                     SWP_NOZORDER | SWP_NOACTIVATE | (keepSize ? SWP_NOSIZE : 0));
    }
    if (m_sizeMessages == sizesBefore) {
        const RECT client = GetClientRect();
        SendMessage(WM_SIZE, ::IsZoomed(m_hWnd) ? SIZE_MAXIMIZED : SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
    }
}

void CDlgEx::EnterFullScreen() {
    if (m_fullScreen) return;
    m_beforeFullScreen = GetWindowRect();
    m_fullScreen = true;
    TellTaskbarFullScreen(m_hWnd, true);
    for (CBtnEx* button : {&m_btnClose, &m_btnMax, &m_btnMin})
        if (button->m_hWnd) button->ShowWindow(SW_HIDE);
    const RECT display = DisplayOfWindow(m_hWnd);
    PlaceAndLayOut(&display, false);
}

void CDlgEx::LeaveFullScreen() {
    if (!m_fullScreen) return;
    m_fullScreen = false;
    TellTaskbarFullScreen(m_hWnd, false);
    for (CBtnEx* button : {&m_btnClose, &m_btnMax, &m_btnMin})
        if (button->m_hWnd) button->ShowWindow(SW_SHOW);
    PlaceAndLayOut(&m_beforeFullScreen, false);
}
