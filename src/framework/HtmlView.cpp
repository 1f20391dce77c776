#include "framework/HtmlView.h"

#include "framework/BrowserKeys.h"

CHtmlView::~CHtmlView() { m_browser.reset(); }

int CHtmlView::OnCreate() {
    m_browser = CreatePageEngine(m_site, m_hWnd, GetClientRect());
    return m_browser ? 0 : -1;
}

void CHtmlView::Navigate2(const std::wstring& url) {
    if (m_browser) m_browser->Navigate(url);
}

BOOL CHtmlView::TranslateViewKey(MSG* msg) {
    return IsBrowserHistoryButton(m_browser.get(), *msg) || OfferKeyToBrowser(m_browser.get(), *msg);
}

LRESULT CHtmlView::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        if (CView::WindowProc(msg, wp, lp) == -1) return -1;
        return OnCreate();
    case WM_SIZE:
        if (m_browser) ::MoveWindow(m_browser->Window(), 0, 0, LOWORD(lp), HIWORD(lp), TRUE);
        break;
    case WM_DESTROY:
        m_browser.reset();  // the browser goes before the window it lives in
        break;
    case WM_ERASEBKGND:
        return TRUE;  // the browser covers the view
    case WM_SETFOCUS:
        if (m_browser) {
            m_browser->TakeFocus();
            return 0;
        }
        break;
    default:
        break;
    }
    return CView::WindowProc(msg, wp, lp);
}
