// CPlexor3Dlg in full screen: the window covers the whole display it is on,
// without its title band, tabs or frame, and the current page fills it. The
// window's mark tells the page processes, which place themselves too.
#include "mainwnd/Plexor3Dlg.h"

#include "ui/MessageBox.h"
#include "ui/OwnerPageArea.h"

void CPlexor3Dlg::ToggleFullScreen() { SetFullScreen(!IsFullScreen()); }

void CPlexor3Dlg::SetFullScreen(bool on) {
    if (on == IsFullScreen()) return;
    if (on && m_pages.count() == 0) return;  // full screen is a page's
    // The mark first: the layout after the move (OnSize) places the pages by it.
    MarkFullScreen(m_hWnd, on);
    m_title.Show(!on);
    if (on)
        EnterFullScreen();
    else
        LeaveFullScreen();
}

int CPlexor3Dlg::AskPlayer(int type, const std::wstring& text) {
    SetFullScreen(false);
    return ShowMessageBox(type, text, m_hWnd);
}
