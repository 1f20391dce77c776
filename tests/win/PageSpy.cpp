#include "PageSpy.h"

#include "base/WindowMessages.h"

namespace wintest {

PageSpy::PageSpy() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &PageSpy::Proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ZuvaTestPageSpy";
    ::RegisterClassW(&wc);  // fails harmlessly once registered
    m_wnd = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance,
                              nullptr);
    ::SetWindowLongPtrW(m_wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

PageSpy::~PageSpy() { ::DestroyWindow(m_wnd); }

void PageSpy::AttachTo(HWND main, bool hall) const {
    ::PostMessageW(main, WM_PAGE_ATTACH, reinterpret_cast<WPARAM>(m_wnd), hall ? 1 : 0);
}

LRESULT CALLBACK PageSpy::Proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* spy = reinterpret_cast<PageSpy*>(::GetWindowLongPtrW(wnd, GWLP_USERDATA));
    if (spy) {
        switch (msg) {
        case WM_SET_MUTE:
            spy->muteValues.push_back(wp);
            return 0;
        case WM_RELOAD_HOTKEYS:
            ++spy->hotkeyReloads;
            return 0;
        case WM_OWNER_DPI_CHANGED:
            spy->ownerDpis.push_back(static_cast<int>(wp));
            return 0;
        case WM_SET_PAGE_ZOOM:
            spy->zoomPercents.push_back(static_cast<int>(wp));
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            spy->keys.push_back(MSG{wnd, msg, wp, lp, 0, {}});
            return 0;
        default:
            break;
        }
    }
    return ::DefWindowProcW(wnd, msg, wp, lp);
}

}  // namespace wintest
