// CPlexor3Dlg, its game pages: starting children, attaching their frames,
// the tab strip, and closing pages.
#include "mainwnd/Plexor3Dlg.h"

#include <windowsx.h>
#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "base/PathText.h"
#include "base/ProgramPaths.h"
#include "base/StartProgram.h"
#include "base/WindowMessages.h"
#include "mainwnd/TitleLayout.h"
#include "resource.h"
#include "ui/MessageBox.h"
#include "ui/RectConvert.h"
#include "ui/SkinImage.h"

namespace {
uint32_t ProcessOf(HWND wnd) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(wnd, &pid);
    return pid;
}

bool ProcessAlive(uint32_t pid) {
    fw::KernelHandle process(::OpenProcess(SYNCHRONIZE, FALSE, pid));
    return process && ::WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT;
}
}  // namespace

void CPlexor3Dlg::StartChildPage() {
    const std::wstring line = CommandLineProgram(m_strChildExe) + L" /newgm /" +
                              std::to_wstring(static_cast<int32_t>(reinterpret_cast<intptr_t>(m_hWnd))) + L" /" +
                              std::to_wstring(PageCount());
    // A failed start changes nothing; a started one is the pending child.
    if (fw::KernelHandle child = StartIdleProcess(line)) {
        m_hPendingChild = std::move(child);
        SetTimer(kTimerPendingLogin, kMuteTimerPeriodMs);
    }
}

void CPlexor3Dlg::WatchPendingLogin() {
    if (!m_hPendingChild) {
        KillTimer(kTimerPendingLogin);
        return;
    }
    if (::WaitForSingleObject(m_hPendingChild.get(), 0) != WAIT_OBJECT_0) return;
    // The login process ended without attaching and without its close
    // request (a crash, or killed). Its modal login had disabled this window
    // and nobody else will enable it again.
    KillTimer(kTimerPendingLogin);
    m_hPendingChild.reset();
    if (!IsWindowEnabled()) EnableWindow(TRUE);
    if (PageCount() == 0) ExitLauncher();  // as for an abandoned first login
}

LRESULT CPlexor3Dlg::OnAddAccountChoice(bool newTab) {
    if (!newTab) {
        StartProgram();  // another instance with its own main window
    } else if (PageCount() >= kMaxPages) {
        ShowMessageBox(kBoxOk, L"当前窗体只支持3个游戏页", m_hWnd);
    } else {
        StartChildPage();
    }
    return 0;
}

LRESULT CPlexor3Dlg::OnCopyData(const COPYDATASTRUCT* data) {
    if (!data || !data->lpData) return 0;
    // Read up to the zero character, never past the record.
    const auto* text = static_cast<const wchar_t*>(data->lpData);
    const size_t chars = data->cbData / sizeof(wchar_t);
    size_t length = 0;
    while (length < chars && text[length] != L'\0') ++length;
    const uint32_t child = m_hPendingChild ? ::GetProcessId(m_hPendingChild.get()) : 0;
    return m_arrPages.Register(std::wstring(text, length), child) ? 1 : 0;
}

LRESULT CPlexor3Dlg::OnPageAttach(HWND frame, bool hall) {
    if (PageCount() == 0 && !m_hHallWnd) {
        // The first attach of this main window turns the 1 x 1 window into a real one.
        ToggleMaximize();
        m_tray.Add(m_hWnd, m_hIcon);
        SetTimer(kTimerMute, kMuteTimerPeriodMs);
        if (IsXpFamily() && m_dlgLogin.m_hWnd) m_dlgLogin.DestroyWindow();
    }
    if (hall) {
        m_hHallWnd = frame;
        return 0;
    }
    ArmNoticeTimer();  // the first game page, not the hall
    ShowPage(nullptr);
    if (m_hHallWnd && ::IsWindow(m_hHallWnd)) ::ShowWindow(m_hHallWnd, SW_HIDE);
    m_nCurPage = m_arrPages.Attach(reinterpret_cast<PageBook::Frame>(frame), ProcessOf(frame));
    m_hPendingChild.reset();
    InvalidateRect(ToRECT(TabStripRect(PageCount())), TRUE);
    return 0;
}

void CPlexor3Dlg::SelectTab(POINT pt) {
    const TabHit hit = HitTestTabs(pt.x, pt.y, PageCount());
    if (hit.tab < 0) return;
    if (hit.tab != m_nCurPage) {
        const int old = m_nCurPage;
        m_nCurPage = hit.tab;
        ShowPage(CurrentPage());
        InvalidateTab(old);
        InvalidateTab(m_nCurPage);
    } else if (m_hHallWnd && ::IsWindowVisible(m_hHallWnd)) {
        ShowPage(CurrentPage());  // back from the hall
    }
    if (hit.closeBox) {
        m_nCloseState = 2;
        m_nHotPage = hit.tab;
        InvalidateRect(ToRECT(TabCloseBoxRect(hit.tab)), TRUE);
    }
}

void CPlexor3Dlg::ClosePage(int index) {
    if (index < 0 || index >= PageCount()) return;
    if (PageCount() <= 1) {
        InvalidateRect(ToRECT(TabCloseBoxRect(index)), TRUE);
        SetHover(TabHover{});
        OnCancel();  // closing the last page closes the instance, or nothing
        return;
    }
    const std::wstring question = L"确定要退出账号：" + m_arrPages.caption(index) + L" ?";
    if (ShowMessageBox(kBoxYesNo, question, m_hWnd) != IDYES) {
        InvalidateTab(index);
        SetHover(TabHover{});
        return;
    }
    const int before = PageCount();
    HWND closed = reinterpret_cast<HWND>(m_arrPages.Remove(index));
    m_nCurPage = CurrentAfterClose(index, before);
    ShowPage(CurrentPage());
    InvalidateRect(ToRECT(Rect{120, 3, 309 + kTabWidth * PageCount(), 25}), TRUE);
    ::SetParent(closed, nullptr);
    ::PostMessageW(closed, WM_SYSCOMMAND, SC_CLOSE, 0);
    SetHover(TabHover{});
}

void CPlexor3Dlg::RemoveDeadPages() {
    m_arrPages.DropWaiting(&ProcessAlive);
    const int before = PageCount();
    const std::vector<int> removed =
        m_arrPages.RemoveDead([](PageBook::Frame f) { return ::IsWindow(reinterpret_cast<HWND>(f)) != FALSE; });
    if (removed.empty()) return;
    // A page whose process died leaves no dead tab: the next page is shown.
    int current = m_nCurPage;
    int count = before;
    for (int index : removed) {  // highest first
        if (index < current || (index == current && current == count - 1)) --current;
        --count;
    }
    m_nCurPage = std::max(0, std::min(current, PageCount() - 1));
    SetHover(TabHover{});
    if (PageCount() > 0) ShowPage(CurrentPage());
    InvalidateRect(ToRECT(Rect{120, 3, 120 + kTabWidth * before, 25}), TRUE);
}

void CPlexor3Dlg::ShowAddAccountPrompt() {
    if (!m_dlgAddAcc.m_hWnd && !m_dlgAddAcc.Create(IDD_ADD_ACCOUNT, this)) return;
    const RECT link = m_lnkAddAcc.GetWindowRect();
    const RECT prompt = m_dlgAddAcc.GetWindowRect();
    const int width = prompt.right - prompt.left;
    m_dlgAddAcc.MoveWindow(link.right - width, link.bottom, width, prompt.bottom - prompt.top, TRUE);
    m_dlgAddAcc.ShowWindow(SW_SHOW);
}

void CPlexor3Dlg::DrawTabs(HDC dc) {
    HFONT font = GetFont();
    fw::SelectScope selectFont(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(0, 0, 0));  // the title before left white in the image
    for (int i = 0; i < PageCount(); ++i) {
        const Rect tab = TabRect(i);
        const int frame = i == m_nCurPage ? 2 : i == m_nHotPage ? 1 : 0;
        if (m_ilTab) DrawImageScaled(m_ilTab.get(), frame, dc, tab.left, tab.top, kTabWidth, 22);
        if (i == m_nHotPage && m_nCloseState >= 0 && m_ilClose) {
            const Rect box = TabCloseBoxRect(i);
            DrawImageScaled(m_ilClose.get(), m_nCloseState, dc, box.left, box.top, 13, 13);
        }
        RECT text = ToRECT(TabCaptionRect(i));
        const std::wstring& caption = m_arrPages.caption(i);
        ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_SINGLELINE);
    }
}

LRESULT CPlexor3Dlg::OnNcHitTest(LPARAM lp) {
    const LRESULT code = CDlgEx::WindowProc(WM_NCHITTEST, 0, lp);
    POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    ::ScreenToClient(m_hWnd, &pt);
    const TabHit hit = HitTestTabs(pt.x, pt.y, PageCount());
    const TabHoverChange change = TrackTabHover(TabHover{m_nHotPage, m_nCloseState}, m_bTipActive != FALSE, hit,
                                                (::GetKeyState(VK_LBUTTON) & 0x8000) != 0);
    if (!(change.invalidateOld == Rect{})) InvalidateRect(ToRECT(change.invalidateOld), TRUE);
    if (!(change.invalidateNew == Rect{})) InvalidateRect(ToRECT(change.invalidateNew), TRUE);
    SetHover(change.next);
    if (change.tipNewText && hit.tab >= 0) {
        TOOLINFOW ti{};
        ti.cbSize = sizeof(ti);
        ti.hwnd = m_hWnd;
        ti.uId = reinterpret_cast<UINT_PTR>(m_hWnd);
        std::wstring caption = m_arrPages.caption(hit.tab);
        ti.lpszText = &caption[0];
        m_tip.SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
    }
    if ((change.tipActive != 0) != (m_bTipActive != 0)) {
        m_tip.SendMessage(TTM_ACTIVATE, change.tipActive ? TRUE : FALSE);
        m_bTipActive = change.tipActive ? TRUE : FALSE;
    }
    if (!m_bTracking && code != HTCAPTION) {
        TRACKMOUSEEVENT tme{};
        tme.cbSize = sizeof(tme);
        tme.dwFlags = TME_LEAVE;
        tme.hwndTrack = m_hWnd;
        tme.dwHoverTime = HOVER_DEFAULT;
        m_bTracking = ::TrackMouseEvent(&tme);
    }
    return code;
}

bool CPlexor3Dlg::RouteTabMouse(TabMouse message, LPARAM lp, bool screenPoint, LRESULT* result) {
    POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    if (screenPoint) ::ScreenToClient(m_hWnd, &pt);
    const TabHit hit = HitTestTabs(pt.x, pt.y, PageCount());
    const TabMouseAction action = ::RouteTabMouse(message, hit);
    if (hit.tab < 0) return false;  // off the strip: the window's own handling
    if (action.selectTab) SelectTab(pt);
    if (action.closePage) ClosePage(hit.tab);
    *result = 0;
    // Tab actions that want default processing get it (a button-down goes on
    // to the dialog, which then activates it).
    return !action.defaultProcessing;
}

void CPlexor3Dlg::ClearHover(bool clearTracking) {
    if (m_nHotPage >= 0) InvalidateRect(ToRECT(HoverLeaveArea(TabHover{m_nHotPage, m_nCloseState})), TRUE);
    SetHover(TabHover{});
    if (clearTracking) m_bTracking = FALSE;
}
