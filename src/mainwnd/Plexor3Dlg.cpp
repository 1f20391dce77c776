#include "mainwnd/Plexor3Dlg.h"

#include <algorithm>
#include <optional>

#include "base/BuildConfig.h"
#include "base/StartupTrace.h"
#include "base/WindowMessages.h"
#include "hotkey/HotkeyStore.h"
#include "hotkey/KeyState.h"
#include "mainwnd/KeyFilter.h"
#include "mainwnd/MainWindowMessages.h"
#include "mainwnd/TitleLayout.h"
#include "resource.h"
#include "ui/MessageBox.h"
#include "ui/Offscreen.h"
#include "ui/OwnerPageArea.h"
#include "ui/RaiseWindow.h"
#include "ui/SkinImage.h"

CPlexor3Dlg::CPlexor3Dlg() : CDlgEx(IDD_PLEXOR3_DIALOG), m_dlgAddAcc(this) {
    m_hIcon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
}

void CPlexor3Dlg::DoDataExchange() {
    DDX_Control(IDC_BTN_HIDE, m_title.m_btnHide);
    DDX_Control(IDC_BTN_MENU, m_title.m_btnMenu);
    DDX_Control(IDC_BTN_SOUND, m_title.m_btnSound);
    DDX_Control(IDC_LNK_ADDACC, m_title.m_lnkAddAcc);
}

BOOL CPlexor3Dlg::OnInitDialog() {
    TraceStartupStep("main window created");
    CDlgEx::OnInitDialog();
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    m_hook.Install(m_hWnd, WM_HOOK_HOTKEY);
    m_pages.SetOwner(m_hWnd);
    // The pages run with the player's rights: what they send this elevated
    // window must be let through.
    AllowMessagesFromPages(m_hWnd);
    TraceStartupStep("main window: icon, hook");

    SetUpSkin();
    TraceStartupStep("main window: frame skin");
    m_title.SetUp(scale());
    TraceStartupStep("main window: title controls");
    m_tabs.Create(m_hWnd, scale());
    TraceStartupStep("main window: tab strip");
    StartChildPage();  // the first login the player sees
    TraceStartupStep("main window: login child started");
    ReloadHotkeys();
    m_logins.PreloadLoginPage();
    TraceStartupStep("main window: hotkeys");
    return TRUE;
}

void CPlexor3Dlg::SetUpSkin() {
    ModifyStyle(0, WS_CLIPCHILDREN);
    SetTitle(L"KorvelFerrowind");
    SetStandardFrameMetrics();
    DialogSkinIds skin;
    skin.background = IDB_MAIN_FRAME;
    skin.nineGrid = true;
    skin.close = IDB_CLOSE_BUTTON;
    skin.minimise = IDB_MINIMISE_BUTTON;
    skin.maximise = IDB_MAXIMISE_BUTTON;
    skin.restore = IDB_RESTORE_BUTTON;
    SetSkin(skin);
    SetResizable(true);
    // Nothing of the window is seen until the first page attaches.
    SetWindowPos(nullptr, 0, 0, 1, 1, SWP_NOZORDER);
}

bool CPlexor3Dlg::OnCommand(UINT id, UINT code, HWND ctl) {
    switch (id) {
    case IDC_BTN_HIDE: OnBossKey(); return true;
    case IDC_BTN_MENU: ShowSystemMenu(); return true;
    case IDC_BTN_SOUND: ToggleMute(); return true;
    case IDC_LNK_ADDACC: ShowAddAccountPrompt(); return true;
    default: return CDlgEx::OnCommand(id, code, ctl);
    }
}

void CPlexor3Dlg::ReloadHotkeys() {
    m_hotkeys = LoadHotkeys();
    m_hook.SetHotkeys(m_hotkeys);
    m_pages.PostToPages(WM_RELOAD_HOTKEYS, 0, true);
}

void CPlexor3Dlg::OnHotkey(HotkeyId id) {
    switch (id) {
    case HotkeyId::Boss:
        OnBossKey();
        break;
    case HotkeyId::Switch:
        SwitchToNextPage();
        break;
    case HotkeyId::Sound:
        ToggleMute();
        break;
    case HotkeyId::Shot:
        if (m_pages.count() > 0) ShootPage(m_pages.CurrentIndex());
        break;
    }
}

INT_PTR CPlexor3Dlg::RunSettingsDialog(CDialog& dlg) {
    m_settingDialog = &dlg;
    const INT_PTR result = dlg.DoModal();
    m_settingDialog = nullptr;
    return result;
}

void CPlexor3Dlg::OnBossKey() {
    if (IsWindowVisible()) {
        ShowWindow(SW_HIDE);
        if (m_dlgAddAcc.m_hWnd) m_dlgAddAcc.ShowWindow(SW_HIDE);
        if (m_dlgNotice.m_hWnd) m_dlgNotice.ShowWindow(SW_HIDE);
        if (m_settingDialog && m_settingDialog->IsWindow() && m_settingDialog->IsWindowVisible())
            m_settingDialog->EndDialog(IDCANCEL);
        return;
    }
    ShowWindow(SW_RESTORE);
    BringToFront();
    m_pages.GiveKeysToShown();
}

void CPlexor3Dlg::BringToFront() { RaiseAboveOthers(m_hWnd, true); }

void CPlexor3Dlg::OnCancel() {
    if (AskPlayer(kBoxYesNo, L"窗口即将关闭，确定要退出游戏？") == IDYES) ExitLauncher();
}

void CPlexor3Dlg::ExitLauncher() {
    m_logins.Terminate();
    m_hook.Remove();
    m_pages.CloseAll();
    m_tray.Delete();
    ::PostQuitMessage(0);
}

BOOL CPlexor3Dlg::PreTranslateMessage(MSG* msg) {
    KeyFilterInput in(KeyMessageOf(*msg));
    in.pageCount = m_pages.count();
    in.hadPage = m_hadPage;
    in.hasPendingChild = m_logins.pending();
    HWND current = m_pages.Current();
    in.currentPageVisible = current && ::IsWindowVisible(current);
    in.hallVisible = m_pages.HallShown();
    in.switchKey = m_hotkeys[HotkeyId::Switch];
    in.settingsOpen = m_settingDialog != nullptr;
    in.f11BelongsToHook = PlainKeyBelongsToHook(m_hotkeys, keymsg::kVkF11);

    switch (FilterMainWindowMessage(in)) {
    case KeyFilterAction::SwitchPage:
        OnHotkey(HotkeyId::Switch);
        return TRUE;
    case KeyFilterAction::Swallow:
        return TRUE;
    case KeyFilterAction::Exit:
        ExitLauncher();
        return TRUE;
    case KeyFilterAction::ReleasePendingChild:
        m_logins.Release();
        return TRUE;
    case KeyFilterAction::TerminatePendingAndExit:
        ExitLauncher();  // ends the pending child first
        return TRUE;
    case KeyFilterAction::ForwardToCurrentPage:
        ::PostMessageW(current, msg->message, msg->wParam, msg->lParam);
        return TRUE;
    case KeyFilterAction::ForwardToHall:
        ::PostMessageW(m_pages.hall(), msg->message, msg->wParam, msg->lParam);
        return TRUE;
    case KeyFilterAction::ToggleFullScreen:
        ToggleFullScreen();
        return TRUE;
    case KeyFilterAction::RestoreThenPassOn:
        ShowWindow(SW_RESTORE);
        break;
    case KeyFilterAction::PassOn:
        break;
    }
    m_tabs.RelayEvent(msg);
    return CDlgEx::PreTranslateMessage(msg);
}

void CPlexor3Dlg::OnSize(UINT type, int cx, int cy) {
    m_pages.MoveShownToPageArea(scale());
    CDlgEx::WindowProc(WM_SIZE, type, MAKELPARAM(cx, cy));
    const int before = m_title.width();
    if (m_title.Layout(cx, CaptionButtonsLeft(cx), scale())) InvalidateTitleButtons();
    if (m_logins.IsXpFamily() && cx < before) {
        // The shrinking skin leaves its old corner behind on the desktop.
        RECT wr = GetWindowRect();
        RECT corner{wr.right - 4, wr.top, wr.right, wr.top + 4};
        ::RedrawWindow(::GetDesktopWindow(), &corner, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

int CPlexor3Dlg::CaptionButtonsLeft(int cx) const {
    // The leftmost of the skin's buttons that exist; where they would be
    // when none does yet.
    std::optional<int> left;
    for (const CBtnEx* button : {&m_btnMin, &m_btnMax, &m_btnClose}) {
        if (!button->m_hWnd) continue;
        RECT rc = button->GetWindowRect();
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
        left = std::min<int>(left.value_or(rc.left), rc.left);
    }
    return left.value_or(CaptionButtonsLeftOf(cx, scale()));
}

void CPlexor3Dlg::OnScaleChanged() {
    // The skin of the new scale is in; the images the main window adds
    // follow. The size message after it lays everything out at the new scale
    // (OnSize). The pages zoom their own content; where they stand the main
    // window decides, in that layout.
    m_title.SetUp(scale());
    m_tabs.LoadImages(scale());
    m_pages.PostToPages(WM_OWNER_DPI_CHANGED, static_cast<WPARAM>(scale().dpi()), true);
}

LRESULT CPlexor3Dlg::OnWindowPosChanging(WINDOWPOS* pos) {
    if (!(pos->flags & SWP_NOSIZE) && !IsFullScreen()) {
        MinimumSizeResult r = EnforceMinimumSize(m_pages.count(), pos->cx, pos->cy, scale());
        if (r.adjusted) {
            pos->cx = r.cx;
            pos->cy = r.cy;
            return 0;
        }
    }
    return CDlgEx::WindowProc(WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(pos));
}

BOOL CPlexor3Dlg::OnEraseBkgnd(HDC dc) {
    RECT client = GetClientRect();
    ClippedOffscreen image(dc, client.right, client.bottom);
    if (!image.ok()) return TRUE;
    PaintBackground(image.dc());
    m_tabs.Draw(image.dc(), GetFont(), m_pages.book(), m_pages.CurrentIndex(), scale());
    image.CopyTo(dc);
    return TRUE;
}

void CPlexor3Dlg::OnPaint() {
    if (!IsIconic()) {
        Default(WM_PAINT, 0, 0);
        return;
    }
    fw::PaintDc dc(m_hWnd);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.get()));
    RECT rc = GetClientRect();
    int x = (rc.right - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    int y = (rc.bottom - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc.get(), x, y, m_hIcon);
}

void CPlexor3Dlg::OnTimer(UINT_PTR id) {
    if (id == kTimerMute) OnMuteTimer();
    if (id == kTimerPendingLogin) WatchPendingLogin();
    if (id == kTimerNotice) ShowNotice();
}

void CPlexor3Dlg::OnMuteTimer() {
    RemoveDeadPages();
    // The pages and the button take it as 0 or 1, as it crosses processes.
    const int muted = m_bMute ? 1 : 0;
    m_pages.PostMuteToPages(muted);
    m_title.ShowMute(muted, scale());
}

LRESULT CPlexor3Dlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT result = 0;
    switch (msg) {
    case WM_DESTROY:
        // A window's properties go before the window does.
        MarkFullScreen(m_hWnd, false);
        break;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(m_hIcon);
    case WM_SIZE:
        OnSize(static_cast<UINT>(wp), LOWORD(lp), HIWORD(lp));
        return 0;
    case WM_WINDOWPOSCHANGING:
        return OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lp));
    case WM_ERASEBKGND:
        return OnEraseBkgnd(reinterpret_cast<HDC>(wp));
    case WM_HOTKEYS_CHANGED:
        ReloadHotkeys();
        return 0;
    case WM_HOOK_HOTKEY:
        if (wp < kHotkeyCount) OnHotkey(kHotkeyIds[wp]);
        return 0;
    case WM_TEST_BLOCK_THREAD:
        if (!buildcfg::kScripted) break;
        ::Sleep(static_cast<DWORD>(wp));
        return 0;
    case WM_TRAY_NOTIFY:
        return OnTrayNotify(lp);
    case WM_TRAY_MENU:
        ShowTrayMenu();
        return 0;
    case WM_PAGE_ATTACH:
        return OnPageAttach(reinterpret_cast<HWND>(wp), lp != 0);
    case WM_PAGE_ZOOM_REQUEST:
        return OnPageZoomRequest(reinterpret_cast<HWND>(wp), lp);
    case WM_ADD_ACCOUNT_CHOICE:
        return OnAddAccountChoice(wp != 0);
    case WM_COPYDATA:
        return OnCopyData(reinterpret_cast<HWND>(wp), reinterpret_cast<const COPYDATASTRUCT*>(lp));
    case WM_NCHITTEST:
        return OnNcHitTest(lp);
    case WM_LBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_NCLBUTTONUP:
    case WM_MBUTTONUP:
    case WM_NCMBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_NCLBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_NCRBUTTONUP:
        if (OnTabMouse(msg, lp, &result)) return result;
        break;
    case WM_MOUSELEAVE:
        m_tabs.ClearHover(true, scale());
        break;
    case WM_NCMOUSELEAVE:
        m_tabs.ClearHover(false, scale());
        break;
    default:
        if (m_tray.OnTaskbarCreated(msg)) return 0;
        break;
    }
    return CDlgEx::WindowProc(msg, wp, lp);
}
