#include "framework/Wnd.h"

#include <vector>

namespace {
const wchar_t kObjectProp[] = L"Zuva.CWnd";

// The parent's WM_DRAWITEM / WM_CTLCOLOR* name the control they concern.
HWND ReflectionTarget(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_DRAWITEM:
        return wp ? reinterpret_cast<const DRAWITEMSTRUCT*>(lp)->hwndItem : nullptr;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
        return reinterpret_cast<HWND>(lp);
    default:
        return nullptr;
    }
}
}  // namespace

CWnd::~CWnd() {
    if (m_hWnd) {
        HWND hwnd = m_hWnd;
        DetachFromHandle();
        if (m_ownsWindow && ::IsWindow(hwnd)) ::DestroyWindow(hwnd);
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    return hwnd ? static_cast<CWnd*>(::GetPropW(hwnd, kObjectProp)) : nullptr;
}

bool CWnd::Attach(HWND hwnd) {
    if (!hwnd || m_hWnd || FromHandlePermanent(hwnd)) return false;
    if (!::SetPropW(hwnd, kObjectProp, this)) return false;
    m_hWnd = hwnd;
    return true;
}

void CWnd::DetachFromHandle() {
    if (!m_hWnd) return;
    if (m_oldProc) {
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_oldProc));
        m_oldProc = nullptr;
    }
    ::RemovePropW(m_hWnd, kObjectProp);
    m_hWnd = nullptr;
}

bool CWnd::SubclassWindow(HWND hwnd) {
    if (!Attach(hwnd)) return false;
    PreSubclassWindow();
    m_oldProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StdWndProc)));
    return true;
}

bool CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    HWND item = parent ? ::GetDlgItem(parent->m_hWnd, static_cast<int>(id)) : nullptr;
    return item && SubclassWindow(item);
}

bool CWnd::CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style,
                    const RECT& rc, HWND parent, UINT_PTR idOrMenu) {
    HWND hwnd = ::CreateWindowExW(exStyle, className, text, style, rc.left, rc.top,
                                  rc.right - rc.left, rc.bottom - rc.top, parent,
                                  reinterpret_cast<HMENU>(idOrMenu), ::GetModuleHandleW(nullptr), nullptr);
    if (!hwnd) return false;
    if (!SubclassWindow(hwnd)) {
        ::DestroyWindow(hwnd);
        return false;
    }
    m_ownsWindow = true;
    return true;
}

namespace {
const wchar_t kFrameworkClass[] = L"ZuvaWindow";

bool RegisterFrameworkClass(WNDPROC proc) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(128));
    wc.lpszClassName = kFrameworkClass;
    return ::RegisterClassExW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}
}  // namespace

LRESULT CALLBACK CWnd::FirstMessageProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        if (auto* wnd = static_cast<CWnd*>(cs->lpCreateParams)) {
            wnd->Attach(hwnd);
            wnd->m_ownsWindow = true;
            ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StdWndProc));
            return wnd->WindowProc(msg, wp, lp);
        }
    }
    return ::DefWindowProcW(hwnd, msg, wp, lp);
}

bool CWnd::CreateFrameworkWindow(DWORD exStyle, const wchar_t* text, DWORD style, const RECT& rc, HWND parent,
                                 UINT_PTR idOrMenu) {
    if (m_hWnd || !RegisterFrameworkClass(&CWnd::FirstMessageProc)) return false;
    HWND hwnd = ::CreateWindowExW(exStyle, kFrameworkClass, text, style, rc.left, rc.top, rc.right - rc.left,
                                  rc.bottom - rc.top, parent, reinterpret_cast<HMENU>(idOrMenu),
                                  ::GetModuleHandleW(nullptr), this);
    return hwnd != nullptr;
}

bool CWnd::DestroyWindow() {
    if (!m_hWnd) return false;
    HWND hwnd = m_hWnd;
    // WM_NCDESTROY detaches the object on the way.
    BOOL ok = ::DestroyWindow(hwnd);
    if (m_hWnd == hwnd) DetachFromHandle();
    return ok != FALSE;
}

LRESULT CALLBACK CWnd::StdWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    CWnd* wnd = FromHandlePermanent(hwnd);
    if (!wnd) return ::DefWindowProcW(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        WNDPROC old = wnd->m_oldProc;
        LRESULT r = wnd->WindowProc(msg, wp, lp);
        if (wnd->m_hWnd == hwnd) wnd->DetachFromHandle();
        else if (old) ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
        return r;
    }
    return wnd->WindowProc(msg, wp, lp);
}

LRESULT CWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_TIMER) {
        const LRESULT result = Default(msg, wp, lp);
        OnTimer(wp);
        return result;
    }
    if (HWND target = ReflectionTarget(msg, wp, lp)) {
        CWnd* child = FromHandlePermanent(target);
        LRESULT result = 0;
        if (child && child != this && child->OnChildNotify(msg, wp, lp, &result)) return result;
    }
    return Default(msg, wp, lp);
}

LRESULT CWnd::Default(UINT msg, WPARAM wp, LPARAM lp) {
    if (m_oldProc) return ::CallWindowProcW(m_oldProc, m_hWnd, msg, wp, lp);
    return ::DefWindowProcW(m_hWnd, msg, wp, lp);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

bool CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) { return false; }

BOOL CWnd::WalkPreTranslateTree(HWND stop, MSG* msg) {
    for (HWND hwnd = msg->hwnd; hwnd; hwnd = ::GetParent(hwnd)) {
        if (CWnd* wnd = FromHandlePermanent(hwnd)) {
            if (wnd->PreTranslateMessage(msg)) return TRUE;
        }
        if (hwnd == stop) break;
        // Owned popups are not children: stop at the top-level window.
        if (!(::GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD)) break;
    }
    return FALSE;
}

std::wstring CWnd::GetWindowText() const {
    int len = ::GetWindowTextLengthW(m_hWnd);
    std::vector<wchar_t> buf(static_cast<size_t>(len) + 1);
    int got = ::GetWindowTextW(m_hWnd, buf.data(), len + 1);
    return std::wstring(buf.data(), static_cast<size_t>(got > 0 ? got : 0));
}

void CWnd::ModifyStyle(DWORD remove, DWORD add) const {
    DWORD style = static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_STYLE));
    ::SetWindowLongW(m_hWnd, GWL_STYLE, static_cast<LONG>((style & ~remove) | add));
}

void CWnd::ModifyStyleEx(DWORD remove, DWORD add) const {
    DWORD style = static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_EXSTYLE));
    ::SetWindowLongW(m_hWnd, GWL_EXSTYLE, static_cast<LONG>((style & ~remove) | add));
}
