#include "framework/DocView.h"

#include "framework/WinApp.h"

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCTW& cs) {
    cs.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    return TRUE;
}

int CFrameWnd::OnCreate(CREATESTRUCTW*) {
    if (!m_pView) return 0;
    CREATESTRUCTW vs{};
    vs.style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    vs.dwExStyle = WS_EX_CLIENTEDGE;
    const RECT rc = GetClientRect();
    if (!m_pView->CreateFrameworkWindow(vs.dwExStyle, L"", vs.style, rc, m_hWnd, AFX_IDW_PANE_FIRST_ID))
        return -1;
    return 0;
}

void CFrameWnd::RecalcLayout() {
    if (m_pView && m_pView->m_hWnd) {
        const RECT rc = GetClientRect();
        m_pView->MoveWindow(rc, TRUE);
    }
}

BOOL CFrameWnd::PreTranslateMessage(MSG* msg) { return m_pView && m_pView->TranslateViewKey(msg); }

LRESULT CFrameWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        return OnCreate(reinterpret_cast<CREATESTRUCTW*>(lp));
    case WM_SIZE:
        RecalcLayout();
        break;
    case WM_SETFOCUS:
        // The frame has nothing to type in: the focus goes on to its view.
        if (m_pView && m_pView->m_hWnd) {
            ::SetFocus(m_pView->m_hWnd);
            return 0;
        }
        break;
    case WM_DESTROY:
        // The frame is the application's window: when it goes, so does the loop.
        if (CWinApp* app = AfxGetApp()) {
            if (app->m_pMainWnd == this) ::PostQuitMessage(0);
        }
        break;
    default:
        break;
    }
    return CWnd::WindowProc(msg, wp, lp);
}

CSingleDocTemplate::~CSingleDocTemplate() {
    if (m_frame && m_frame->m_hWnd) m_frame->DestroyWindow();
    m_frame.reset();
    m_view.reset();
    m_document.reset();
}

CFrameWnd* CSingleDocTemplate::OpenFrame() {
    m_frame->m_pView = m_view.get();

    CREATESTRUCTW cs{};
    cs.style = WS_OVERLAPPEDWINDOW;
    cs.x = cs.y = CW_USEDEFAULT;
    cs.cx = cs.cy = CW_USEDEFAULT;
    if (!m_frame->PreCreateWindow(cs)) return nullptr;
    const int x = cs.x == CW_USEDEFAULT ? 0 : cs.x;
    const int y = cs.y == CW_USEDEFAULT ? 0 : cs.y;
    const int cx = cs.cx == CW_USEDEFAULT ? 640 : cs.cx;
    const int cy = cs.cy == CW_USEDEFAULT ? 480 : cs.cy;
    if (!m_frame->CreateFrameworkWindow(cs.dwExStyle, L"", cs.style & ~WS_VISIBLE, RECT{x, y, x + cx, y + cy}, nullptr,
                                        reinterpret_cast<UINT_PTR>(cs.hMenu)))
        return nullptr;
    m_view->OnInitialUpdate();
    return m_frame.get();
}
