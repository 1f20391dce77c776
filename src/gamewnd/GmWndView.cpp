#include "gamewnd/GmWndView.h"

#include "base/PageProcess.h"
#include "base/StartupTrace.h"
#include "base/WindowMessages.h"
#include "framework/WinApp.h"
#include "ui/OwnerPageArea.h"
#include "ui/WindowDpi.h"

void CGmWndView::OnInitialUpdate() {
    CHtmlView::OnInitialUpdate();
    if (PageEngine* browser = GetBrowser()) browser->SetSilent(true);
    // The page shows at its main window's scale, where it is placed.
    m_zoom.Attach(m_hWnd, ScaleOfWindow(g_hOwnerWnd).dpi());
    Navigate2(g_strGameUrl);
}

LRESULT CGmWndView::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CREATE) ModifyStyleEx(WS_EX_CLIENTEDGE, 0);
    if (msg == WM_TIMER && m_zoom.OnTimer(wp, GetBrowser())) return 0;
    return CHtmlView::WindowProc(msg, wp, lp);
}

HRESULT CGmWndView::OnGetHostInfo(DWORD* flags) {
    // Games show without border or scroll bars; the hall keeps the browser's.
    if (g_strGameUrl != GameHallAddress()) *flags |= kHostFlagNo3DBorder | kHostFlagScrollNo;
    return S_OK;
}

void CGmWndView::OnNavigateComplete2(const std::wstring& url) {
    g_strPageUrl = url;
    m_zoom.NewDocument(GetBrowser());
    // Onto the main window's page area at the main window's scale, the same
    // one the main window uses (all of it in full screen).
    const RECT area = PageAreaInOwner(g_hOwnerWnd, ScaleOfWindow(g_hOwnerWnd));
    if (CWinApp* app = AfxGetApp()) {
        if (CWnd* frame = app->m_pMainWnd) {
            frame->MoveWindow(area, TRUE);
            frame->ShowWindow(SW_SHOW);
            // A page that shows for the first time takes the keyboard, as
            // the main window has made it the current one.
            if (!m_shown) frame->SendMessage(WM_PAGE_TAKE_KEYS);
            m_shown = true;
            TraceStartupStep("game page shown");
        }
    }
}

void CGmWndView::OnTitleChange(const std::wstring& title) { g_strPageTitle = title; }
