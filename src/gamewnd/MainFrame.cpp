#include "gamewnd/MainFrame.h"

#include <cstdlib>

#include "base/CopyDataText.h"
#include "base/PageProcess.h"
#include "base/StartupTrace.h"
#include "base/WindowMessages.h"
#include "extras/FavDlg.h"
#include "gamewnd/FrameKeys.h"
#include "gamewnd/GmWndView.h"
#include "gamewnd/PageShot.h"
#include "gamewnd/WebBoxSweep.h"
#include "hotkey/HotkeyStore.h"
#include "hotkey/KeyState.h"
#include "sound/SoundMute.h"
#include "ui/RaiseWindow.h"

namespace {
constexpr UINT_PTR kTimerWebBoxes = 5;    // 130 ms after a close request
constexpr UINT_PTR kTimerRaiseOwner = 6;  // 10 ms after a click in the game
constexpr UINT WM_SHOOT_PAGE = WM_APP + 1;  // to itself: take the screenshot asked for
}  // namespace

BOOL CMainFrame::PreCreateWindow(CREATESTRUCTW& cs) {
    CFrameWnd::PreCreateWindow(cs);
    cs.hMenu = nullptr;
    cs.cx = 10;
    cs.cy = 10;
    return TRUE;
}

int CMainFrame::OnCreate(CREATESTRUCTW* cs) {
    ModifyStyle(WS_CAPTION | WS_THICKFRAME, 0);
    ModifyStyleEx(WS_EX_CLIENTEDGE, 0);
    // No taskbar button, ever.
    ModifyStyleEx(WS_EX_APPWINDOW, WS_EX_TOOLWINDOW);
    if (CFrameWnd::OnCreate(cs) == -1) return -1;
    SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    if (::IsWindow(g_hOwnerWnd)) {
        const bool hall = g_strGameUrl == GameHallAddress();
        ::PostMessageW(g_hOwnerWnd, WM_PAGE_ATTACH, reinterpret_cast<WPARAM>(m_hWnd), hall ? 1 : 0);
        ::SetParent(m_hWnd, g_hOwnerWnd);
    }
    LoadHotkeys();
    // A thread timer, not one of the frame's: when the main window's process
    // dies, the frame (its child) goes with it, window timers and all, and the
    // process must still end.
    m_ownerWatch = ::SetTimer(nullptr, 0, 800, &CMainFrame::WatchOwner);
    return 0;
}

void CALLBACK CMainFrame::WatchOwner(HWND, UINT, UINT_PTR, DWORD) {
    // The page process ends when its main window is gone.
    if (!::IsWindow(g_hOwnerWnd)) ::PostQuitMessage(0);
}

void CMainFrame::LoadHotkeys() {
    m_hotkeys = ::LoadHotkeys();
}

void CMainFrame::OnSetMute(WPARAM muted) {
    if (!m_muteLatch.Accept(static_cast<int>(muted))) return;
    ApplyMute(muted != 0);
    TraceStartupStep("mute applied");
}

void CMainFrame::RaiseOwner() {
    KillTimer(kTimerRaiseOwner);
    // The click itself activates the page; its main window only comes up.
    RaiseAboveOthers(g_hOwnerWnd, false);
}

void CMainFrame::OnTimer(UINT_PTR id) {
    switch (id) {
    case kTimerRaiseOwner:
        RaiseOwner();
        break;
    case kTimerWebBoxes:
        // Runs inside the modal loop of a box that holds up the close, too.
        KillTimer(kTimerWebBoxes);
        SweepWebMessageBox();
        break;
    default:
        break;
    }
}

BOOL CMainFrame::PreTranslateMessage(MSG* msg) {
    switch (DecideFrameKey(KeyMessageOf(*msg), m_hotkeys)) {
    case FrameKeyAction::ForwardToOwner:
        ::PostMessageW(g_hOwnerWnd, msg->message, msg->wParam, msg->lParam);
        return TRUE;
    case FrameKeyAction::Refresh:
        RefreshGame();
        return TRUE;
    case FrameKeyAction::Swallow:
        return TRUE;
    case FrameKeyAction::ArmWebBoxSweep:
        SetTimer(kTimerWebBoxes, 130);
        break;
    case FrameKeyAction::AddFavourite: {
        CFavDlg dlg(g_strPageTitle, g_strPageUrl, g_hOwnerWnd);
        dlg.DoModal();
        return TRUE;
    }
    case FrameKeyAction::ZoomIn:
        RequestZoom(ZoomStep::In);
        return TRUE;
    case FrameKeyAction::ZoomOut:
        RequestZoom(ZoomStep::Out);
        return TRUE;
    case FrameKeyAction::ZoomActualSize:
        RequestZoom(ZoomStep::ActualSize);
        return TRUE;
    case FrameKeyAction::ZoomWheel:
        OnWheelZoom(msg->wParam);
        return TRUE;
    case FrameKeyAction::PassOn:
        break;
    }
    return CFrameWnd::PreTranslateMessage(msg);
}

LRESULT CMainFrame::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_RELOAD_HOTKEYS:
        LoadHotkeys();
        return 0;
    case WM_SET_MUTE:
        OnSetMute(wp);
        return 0;
    case WM_OWNER_DPI_CHANGED:
        ZoomGame(static_cast<int>(wp));
        return 0;
    case WM_SET_PAGE_ZOOM:
        ZoomAccount(static_cast<int>(wp));
        return 0;
    case WM_COPYDATA:
        return OnCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lp));
    case WM_SHOOT_PAGE:
        ShootPage();
        return 0;
    case WM_PAGE_TAKE_KEYS:
        TakeKeys();
        return 0;
    case WM_MOUSEACTIVATE:
        SetTimer(kTimerRaiseOwner, 10);
        break;
    default:
        break;
    }
    return CFrameWnd::WindowProc(msg, wp, lp);
}

void CMainFrame::TakeKeys() {
    // Only while the player is in the main window (or one of its pages): a
    // page that shows behind another program takes nothing from it. Nor
    // from a menu of the main window: taking the focus would close it.
    HWND front = ::GetForegroundWindow();
    while (front && front != g_hOwnerWnd) front = ::GetAncestor(front, GA_PARENT);
    GUITHREADINFO owner{};
    owner.cbSize = sizeof(owner);
    const bool menuOpen = ::GetGUIThreadInfo(::GetWindowThreadProcessId(g_hOwnerWnd, nullptr), &owner) &&
                          (owner.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE)) != 0;
    // A page in front with the keyboard already leaves things as they are.
    const HWND focus = ::GetFocus();
    const bool hasKeys =
        ::GetForegroundWindow() == m_hWnd && focus && (focus == m_hWnd || ::IsChild(m_hWnd, focus));
    if (!IsWindowVisible() || !front || menuOpen || hasKeys) return;
    // The frame in front of the main window, as the main window allowed it,
    // so that the keys come to this thread; then the focus down to the page.
    ::SetForegroundWindow(m_hWnd);
    ::SetFocus(m_hWnd);
}

void CMainFrame::ZoomGame(int dpi) {
    // The main window has moved this window onto its new page area itself.
    if (CGmWndView* view = GameView()) view->ZoomPage(dpi);
}

void CMainFrame::RequestZoom(ZoomStep step) const {
    ::PostMessageW(g_hOwnerWnd, WM_PAGE_ZOOM_REQUEST, reinterpret_cast<WPARAM>(m_hWnd), static_cast<LPARAM>(step));
}

void CMainFrame::OnWheelZoom(WPARAM wp) {
    const int notches = m_wheelNotches.Add(GET_WHEEL_DELTA_WPARAM(wp));
    for (int i = 0; i < std::abs(notches); ++i) RequestZoom(notches > 0 ? ZoomStep::In : ZoomStep::Out);
}

void CMainFrame::ZoomAccount(int percent) {
    if (CGmWndView* view = GameView()) view->ZoomAccount(percent);
}

CGmWndView* CMainFrame::GameView() const { return dynamic_cast<CGmWndView*>(m_pView); }

void CMainFrame::RefreshGame() {
    CGmWndView* view = GameView();
    if (view && view->GetBrowser()) view->GetBrowser()->Refresh();
}

LRESULT CMainFrame::OnCopyData(const COPYDATASTRUCT* data) {
    if (!data || data->dwData != COPYDATA_TAKE_PAGE_SHOT) return 0;
    m_shotCaption = CopyDataText(*data);
    // The main window waits for this answer; the drawing and the file do not
    // keep it waiting.
    PostMessage(WM_SHOOT_PAGE);
    return 1;
}

void CMainFrame::ShootPage() {
    CGmWndView* view = GameView();
    PageEngine* engine = view ? view->GetBrowser() : nullptr;
    // A main window that does not answer soon is not waited for.
    DWORD_PTR answer = 0;
    SendCopyDataText(g_hOwnerWnd, m_hWnd, COPYDATA_PAGE_SHOT_SAVED,
                     engine ? SavePageShot(*engine, m_shotCaption) : std::wstring(), 5000, &answer);
}
