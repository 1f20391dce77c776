// CPlexor3Dlg, its game pages: starting logins, attaching their frames, the
// tabs, and closing pages.
#include "mainwnd/Plexor3Dlg.h"

#include <windowsx.h>

#include "accounts/MutedAccounts.h"
#include "accounts/ZoomedAccounts.h"
#include "base/BuildConfig.h"
#include "base/CopyDataText.h"
#include "base/StartProgram.h"
#include "base/StartupTrace.h"
#include "base/WindowMessages.h"
#include "engine/PageZoomSteps.h"
#include "mainwnd/AccountZoomRules.h"
#include "mainwnd/MainWindowMessages.h"
#include "mainwnd/PageWindowCalls.h"
#include "resource.h"
#include "ui/MessageBox.h"

void CPlexor3Dlg::StartChildPage() {
    SetFullScreen(false);  // the login shows over the window
    if (m_logins.Start(m_hWnd, m_pages.count())) SetTimer(kTimerPendingLogin, kMuteTimerPeriodMs);
}

void CPlexor3Dlg::WatchPendingLogin() {
    if (!m_logins.pending()) {
        KillTimer(kTimerPendingLogin);
        return;
    }
    if (!m_logins.PendingEnded()) return;
    // The login process ended without attaching and without its close
    // request (a crash, or killed). Its modal login had disabled this window
    // and nobody else will enable it again.
    KillTimer(kTimerPendingLogin);
    m_logins.Release();
    if (!IsWindowEnabled()) EnableWindow(TRUE);
    if (!m_hadPage) ExitLauncher();  // as for an abandoned first login
}

LRESULT CPlexor3Dlg::OnAddAccountChoice(bool newTab) {
    if (!newTab) {
        StartProgram();  // another instance with its own main window
    } else if (m_pages.count() >= kMaxPages) {
        AskPlayer(kBoxOk, L"当前窗体只支持3个游戏页");
    } else {
        StartChildPage();
    }
    return 0;
}

LRESULT CPlexor3Dlg::OnCopyData(HWND from, const COPYDATASTRUCT* data) {
    if (!data || !data->lpData) return 0;
    if (data->dwData == COPYDATA_PAGE_SHOT_SAVED) {
        OnPageShotSaved(from, CopyDataText(*data));
        return 1;
    }
    // COPYDATA_REGISTER_CAPTION, or a tag no launcher sends this window.
    return m_pages.Register(CopyDataText(*data), m_logins.PendingProcessId()) ? 1 : 0;
}

bool CPlexor3Dlg::MayAttach(HWND frame, bool hall, uint32_t process) const {
    if (!::IsWindow(frame) || process == 0 || process == ::GetCurrentProcessId()) return false;
    if (process == m_testStandIn) return true;
    // The hall comes from another program of the portal, but runs this
    // executable; a page, from a login this window started that registered
    // its caption.
    return hall ? RunsThisExecutable(process) : m_pages.book().HasWaiting(process);
}

LRESULT CPlexor3Dlg::OnPageAttach(HWND frame, bool hall) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(frame, &process);
    if (!MayAttach(frame, hall, process)) {
        // Nothing of ours: it goes out of the page area it put itself in.
        TraceStartupStep("page attach refused");
        ReleasePageFrame(frame, m_hWnd);
        return 0;
    }
    if (!m_hadPage && !m_pages.hall()) {
        // The first attach of this main window turns the 1 x 1 window into a
        // real one; pages that come after every page died find it ready.
        ToggleMaximize();
        m_tray.Add(m_hWnd, m_hIcon);
        SetTimer(kTimerMute, kMuteTimerPeriodMs);
        m_logins.DropPreloadedLoginPage();
    }
    if (hall) {
        m_pages.SetHall(frame);
        return 0;
    }
    if (!m_hadPage) {
        // The first game page (not the hall): a while later the notice, so
        // that it finds the player in the game.
        m_hadPage = true;
        SetTimer(kTimerNotice, buildcfg::kNoticeDelayMs);
    }
    if (!m_pages.Attach(frame, process, process == m_testStandIn)) return 0;
    TellHookThePageCount();
    const int added = m_pages.count() - 1;
    // An account muted on its own stays so at its next login, and one
    // zoomed opens at its zoom.
    const std::wstring& caption = m_pages.book().caption(added);
    if (IsAccountRememberedMuted(caption)) m_pages.SetAccountMuted(added, true);
    m_pages.SetAccountZoom(added, AccountOpeningZoom(RememberedAccountZoom(caption)));
    m_logins.Release();
    m_tabs.InvalidateStrip(m_pages.count(), scale());
    return 0;
}

void CPlexor3Dlg::ShowAddAccountPrompt() {
    if (!m_dlgAddAcc.m_hWnd && !m_dlgAddAcc.Create(IDD_ADD_ACCOUNT, this)) return;
    const RECT link = m_title.m_lnkAddAcc.GetWindowRect();
    const RECT prompt = m_dlgAddAcc.GetWindowRect();
    const int width = prompt.right - prompt.left;
    m_dlgAddAcc.MoveWindow(link.right - width, link.bottom, width, prompt.bottom - prompt.top, TRUE);
    m_dlgAddAcc.ShowWindow(SW_SHOW);
}

void CPlexor3Dlg::SwitchToNextPage() {
    if (m_pages.count() == 0 || !IsWindowVisible() || IsIconic()) return;
    const int old = m_pages.CurrentIndex();
    if (m_pages.SwitchToNext(scale())) {
        m_tabs.InvalidateTab(old, scale());
        m_tabs.InvalidateTab(m_pages.CurrentIndex(), scale());
    }
}

void CPlexor3Dlg::SelectTab(const TabHit& hit) {
    if (hit.tab < 0) return;
    const int old = m_pages.CurrentIndex();
    if (m_pages.Select(hit.tab, scale())) {
        m_tabs.InvalidateTab(old, scale());
        m_tabs.InvalidateTab(hit.tab, scale());
    }
    if (hit.closeBox) m_tabs.PressCloseBox(hit.tab, scale());
}

void CPlexor3Dlg::ClosePage(int index) {
    if (index < 0 || index >= m_pages.count()) return;
    if (m_pages.count() <= 1) {
        m_tabs.InvalidateCloseBox(index, scale());
        m_tabs.ResetHover();
        OnCancel();  // closing the last page closes the instance, or nothing
        return;
    }
    const std::wstring question = L"确定要退出账号：" + m_pages.book().caption(index) + L" ?";
    if (AskPlayer(kBoxYesNo, question) != IDYES) {
        m_tabs.InvalidateTab(index, scale());
        m_tabs.ResetHover();
        return;
    }
    const int before = m_pages.count();
    HWND closed = m_pages.Remove(index, scale());
    TellHookThePageCount();
    m_tabs.InvalidateStrip(before, scale());
    ReleasePageFrame(closed, m_hWnd);
    ::PostMessageW(closed, WM_SYSCOMMAND, SC_CLOSE, 0);
    m_tabs.ResetHover();
}

void CPlexor3Dlg::ToggleAccountMute(int index) {
    const bool muted = !m_pages.AccountMuted(index);
    m_pages.SetAccountMuted(index, muted);
    const std::wstring& caption = m_pages.book().caption(index);
    if (muted)
        RememberMutedAccount(caption);
    else
        ForgetMutedAccount(caption);
    m_tabs.InvalidateTab(index, scale());  // its mark; the page hears it at the next tick
}

void CPlexor3Dlg::ZoomAccount(int index, ZoomStep step) {
    const int percent = SteppedZoom(m_pages.AccountZoom(index), step);
    if (percent == m_pages.AccountZoom(index)) return;
    m_pages.SetAccountZoom(index, percent);
    // At its actual size an account has nothing to remember.
    const std::wstring& caption = m_pages.book().caption(index);
    if (percent == kActualZoom)
        ForgetAccountZoom(caption);
    else
        RememberAccountZoom(caption, percent);
    m_tabs.RefreshTip(m_pages.book(), index);
}

LRESULT CPlexor3Dlg::OnPageZoomRequest(HWND frame, LPARAM step) {
    const int index = m_pages.IndexOf(frame);
    const auto zoomStep = ZoomStepOf(static_cast<uintptr_t>(step));
    if (index >= 0 && zoomStep) ZoomAccount(index, *zoomStep);
    return 0;
}

void CPlexor3Dlg::RemoveDeadPages() {
    const int before = m_pages.RemoveDead(scale());
    if (before == 0) return;
    if (m_pages.count() == 0) SetFullScreen(false);
    TellHookThePageCount();
    m_tabs.ResetHover();
    m_tabs.InvalidateStrip(before, scale());
}

void CPlexor3Dlg::ShowNotice() {
    KillTimer(kTimerNotice);
    if (m_dlgNotice.m_hWnd || !m_dlgNotice.Create(IDD_NOTICE, this)) return;
    // A notice with nothing to show closes unseen by itself.
    if (IsWindowVisible() && m_dlgNotice.WantsToShow()) m_dlgNotice.ShowWindow(SW_SHOW);
}

LRESULT CPlexor3Dlg::OnNcHitTest(LPARAM lp) {
    const LRESULT code = CDlgEx::WindowProc(WM_NCHITTEST, 0, lp);
    POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    ::ScreenToClient(m_hWnd, &pt);
    m_tabs.TrackMouse(pt, m_pages.book(), code == HTCAPTION, scale());
    return code;
}

bool CPlexor3Dlg::OnTabMouse(UINT msg, LPARAM lp, LRESULT* result) {
    static const struct {
        UINT msg;
        TabMouse kind;
        bool screen;
    } kRoutes[] = {
        {WM_LBUTTONDOWN, TabMouse::LButtonDown, false},   {WM_NCLBUTTONDOWN, TabMouse::NcLButtonDown, true},
        {WM_LBUTTONUP, TabMouse::LButtonUp, false},       {WM_NCLBUTTONUP, TabMouse::NcLButtonUp, true},
        {WM_MBUTTONUP, TabMouse::MButtonUp, false},       {WM_NCMBUTTONUP, TabMouse::NcMButtonUp, true},
        {WM_LBUTTONDBLCLK, TabMouse::DoubleClick, false}, {WM_NCLBUTTONDBLCLK, TabMouse::DoubleClick, true},
        {WM_RBUTTONDOWN, TabMouse::RButtonDown, false},   {WM_NCRBUTTONDOWN, TabMouse::RButtonDown, true},
        {WM_RBUTTONUP, TabMouse::RButtonUp, false},       {WM_NCRBUTTONUP, TabMouse::RButtonUp, true},
    };
    for (const auto& route : kRoutes) {
        if (route.msg != msg) continue;
        POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        if (route.screen) ::ScreenToClient(m_hWnd, &pt);
        const TabHit hit = HitTestTabs(pt.x, pt.y, m_pages.count(), scale());
        if (hit.tab < 0) return false;  // off the strip: the window's own handling
        const TabMouseAction action = RouteTabMouse(route.kind, hit);
        if (action.selectTab) SelectTab(hit);
        if (action.closePage) ClosePage(hit.tab);
        if (action.openTabMenu) ShowTabMenu(hit.tab);
        *result = 0;
        // Tab actions that want default processing get it (a button-down goes
        // on to the dialog, which then activates it).
        return !action.defaultProcessing;
    }
    return false;
}
