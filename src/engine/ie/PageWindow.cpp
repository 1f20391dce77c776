#include "engine/ie/PageWindow.h"

namespace ie {

namespace {
bool RegisterPageClass(HINSTANCE instance, WNDPROC proc) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (::GetClassInfoExW(instance, PageWindow::kClassName, &existing)) return true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = PageWindow::kClassName;
    // Another engine may register it between the look-up and here.
    return ::RegisterClassExW(&wc) || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}
}  // namespace

PageWindow::PageWindow(HWND parent, const RECT& area, PageWindowListener& listener) : m_listener(listener) {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    if (!RegisterPageClass(instance, &PageWindow::Proc)) return;
    m_hwnd = ::CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                               area.left, area.top, area.right - area.left, area.bottom - area.top, parent,
                               nullptr, instance, nullptr);
    if (!m_hwnd) return;
    // Tied only now: the size messages of creation come before the owner has
    // a control to move, and untied messages get default handling.
    ::SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

PageWindow::~PageWindow() { Destroy(); }

void PageWindow::Destroy() {
    if (!m_hwnd) return;
    ::SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
    ::DestroyWindow(m_hwnd);
    m_hwnd = nullptr;
}

LRESULT CALLBACK PageWindow::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<PageWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && msg == WM_SIZE) {
        self->m_listener.OnPageWindowSize(LOWORD(lp), HIWORD(lp));
        return 0;
    }
    // Destroyed with its parent before the owner let go: forget the handle
    // so it is not destroyed a second time (or a stranger reusing it).
    if (self && msg == WM_NCDESTROY) self->m_hwnd = nullptr;
    return ::DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace ie
