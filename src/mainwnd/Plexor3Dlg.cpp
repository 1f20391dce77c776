#include "mainwnd/Plexor3Dlg.h"

#include <commctrl.h>

#include "base/PageProcess.h"
#include "base/BuildConfig.h"
#include "base/ProgramPaths.h"
#include "base/WindowMessages.h"
#include "framework/Handles.h"
#include "hotkey/HotkeyStore.h"
#include "hotkey/KeyState.h"
#include "mainwnd/KeyFilter.h"
#include "mainwnd/TitleLayout.h"
#include "resource.h"
#include "ui/MessageBox.h"
#include "ui/Offscreen.h"
#include "ui/RectConvert.h"
#include "ui/SkinImage.h"

namespace {
CPlexor3Dlg* g_pMainDlg = nullptr;
// The settings dialog while it runs from a menu, so that hiding can cancel it.
CDialog* g_pSettingDlg = nullptr;
}  // namespace

CPlexor3Dlg::CPlexor3Dlg()
    : CDlgEx(IDD_PLEXOR3_DIALOG), m_dlgAddAcc(this), m_dlgLogin(LoginPageAddress()) {
    m_hIcon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
    m_strChildExe = GetExePath();
    g_pMainDlg = this;
}

CPlexor3Dlg::~CPlexor3Dlg() {
    if (g_pMainDlg == this) g_pMainDlg = nullptr;
}

CPlexor3Dlg* CPlexor3Dlg::Instance() { return g_pMainDlg; }

void CPlexor3Dlg::DoDataExchange() {
    DDX_Control(IDC_BTN_HIDE, m_btnHide);
    DDX_Control(IDC_BTN_MENU, m_btnMenu);
    DDX_Control(IDC_BTN_SOUND, m_btnSound);
    DDX_Control(IDC_LNK_ADDACC, m_lnkAddAcc);
}

BOOL CPlexor3Dlg::OnInitDialog() {
    CDlgEx::OnInitDialog();
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    m_hook.Install(this);

    m_osvi.dwOSVersionInfoSize = sizeof(m_osvi);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    ::GetVersionExW(&m_osvi);
#pragma GCC diagnostic pop

    SetUpSkinAndControls();
    StartChildPage();  // the first login the player sees
    ReloadHotkeys();
    if (IsXpFamily() && m_dlgLogin.Create(IDD_LOGIN_PAGE)) {
        // Loads the login page out of sight, so that later logins come up faster.
        m_dlgLogin.SetWindowPos(nullptr, 0, 0, 1, 1, SWP_NOZORDER);
    }
    return TRUE;
}

void CPlexor3Dlg::SetUpSkinAndControls() {
    ModifyStyle(0, WS_CLIPCHILDREN);
    SetTitle(L"KorvelFerrowind");
    SetFrameMetrics(30, 4, 0, 0, 0);
    DialogSkin skin;
    skin.background = LoadSkinBitmap(IDB_MAIN_FRAME);
    skin.nineGrid = true;
    skin.close = LoadSkinBitmap(IDB_CLOSE_BUTTON);
    skin.minimise = LoadSkinBitmap(IDB_MINIMISE_BUTTON);
    skin.maximise = LoadSkinBitmap(IDB_MAXIMISE_BUTTON);
    skin.restore = LoadSkinBitmap(IDB_RESTORE_BUTTON);
    SetSkin(std::move(skin));
    m_bResizable = true;
    // Nothing of the window is seen until the first page attaches.
    SetWindowPos(nullptr, 0, 0, 1, 1, SWP_NOZORDER);

    m_btnHide.SetImage(LoadSkinBitmap(IDB_HIDE_BUTTON).get(), false);
    m_btnSound.SetImage(LoadSkinBitmap(IDB_SOUND_ON).get(), false);
    m_btnMenu.SetImage(LoadSkinBitmap(IDB_MENU_BUTTON).get(), false);
    m_btnMenu.m_crText = RGB(255, 255, 255);
    m_lnkAddAcc.m_crNormal = RGB(255, 255, 255);
    m_lnkAddAcc.ModifyStyle(0, SS_NOTIFY);
    m_lnkAddAcc.m_bHandCursor = true;
    m_lnkAddAcc.m_bUnderline = true;
    m_lnkAddAcc.SetImage(LoadSkinBitmap(IDB_ADD_ACCOUNT_LINK).get());

    auto strip = [](UINT id) {
        fw::BitmapHandle bitmap = LoadSkinBitmap(id);
        const SIZE size = BitmapSize(bitmap.get());
        return MakeMaskedImageList(bitmap.get(), size.cx / 3, size.cy, 3);
    };
    m_ilTab = strip(IDB_TAB);
    m_ilClose = strip(IDB_TAB_CLOSE);
    CreateTabTooltip();
}

void CPlexor3Dlg::CreateTabTooltip() {
    if (!m_tip.CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, RECT{},
                        m_hWnd, 0))
        return;
    TOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.uFlags = TTF_IDISHWND;
    ti.hwnd = m_hWnd;
    ti.uId = reinterpret_cast<UINT_PTR>(m_hWnd);
    ti.lpszText = const_cast<wchar_t*>(L"");
    m_tip.SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    m_tip.SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, 500);
    m_tip.SendMessage(TTM_ACTIVATE, FALSE);
}

HWND CPlexor3Dlg::CurrentPage() const {
    if (m_nCurPage < 0 || m_nCurPage >= PageCount()) return nullptr;
    return PageWindow(m_nCurPage);
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

void CPlexor3Dlg::InvalidateTab(int index) {
    if (index >= 0) InvalidateRect(ToRECT(TabRect(index)), TRUE);
}

void CPlexor3Dlg::ShowPage(HWND page) {
    for (int i = 0; i < PageCount(); ++i) {
        HWND each = PageWindow(i);
        if (each != page) {
            ::ShowWindow(each, SW_HIDE);
            continue;
        }
        MoveToPageArea(each);
        ::ShowWindow(each, SW_SHOW);
        ::SetForegroundWindow(each);
        if (m_hHallWnd && ::IsWindowVisible(m_hHallWnd)) ::ShowWindow(m_hHallWnd, SW_HIDE);
    }
}

void CPlexor3Dlg::SwitchToNextPage() {
    const int n = PageCount();
    if (n == 0 || !IsWindowVisible() || IsIconic()) return;
    const bool hallShown = m_hHallWnd && ::IsWindowVisible(m_hHallWnd);
    if (n > 1 && !hallShown) {
        InvalidateTab(m_nCurPage);
        m_nCurPage = (m_nCurPage + 1) % n;
        InvalidateTab(m_nCurPage);
    }
    ShowPage(CurrentPage());
}

void CPlexor3Dlg::ToggleMute() { m_bMute = m_bMute ? 0 : 1; }

void CPlexor3Dlg::ReloadHotkeys() {
    m_hotkeys = LoadHotkeys();
    for (int i = 0; i < PageCount(); ++i) ::PostMessageW(PageWindow(i), WM_RELOAD_HOTKEYS, 0, 0);
    if (m_hHallWnd) ::PostMessageW(m_hHallWnd, WM_RELOAD_HOTKEYS, 0, 0);
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
    }
}

INT_PTR CPlexor3Dlg::RunSettingsDialog(CDialog& dlg) {
    g_pSettingDlg = &dlg;
    const INT_PTR result = dlg.DoModal();
    g_pSettingDlg = nullptr;
    return result;
}

void CPlexor3Dlg::OnBossKey() {
    if (IsWindowVisible()) {
        ShowWindow(SW_HIDE);
        if (m_dlgAddAcc.m_hWnd) m_dlgAddAcc.ShowWindow(SW_HIDE);
        if (m_dlgNotice.m_hWnd) m_dlgNotice.ShowWindow(SW_HIDE);
        if (g_pSettingDlg && g_pSettingDlg->IsWindow() && g_pSettingDlg->IsWindowVisible())
            g_pSettingDlg->EndDialog(IDCANCEL);
        return;
    }
    ShowWindow(SW_RESTORE);
    BringToFront();
}

void CPlexor3Dlg::BringToFront() {
    // The foreground lock lets only the foreground thread hand over the
    // foreground; sharing its input state makes us part of it for a moment.
    DWORD ours = ::GetCurrentThreadId();
    DWORD theirs = ::GetWindowThreadProcessId(::GetForegroundWindow(), nullptr);
    bool attached = theirs && theirs != ours && ::AttachThreadInput(ours, theirs, TRUE);
    SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetWindowPos(HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::SetForegroundWindow(m_hWnd);
    if (attached) ::AttachThreadInput(ours, theirs, FALSE);
}

void CPlexor3Dlg::OnCancel() {
    if (ShowMessageBox(kBoxYesNo, L"窗口即将关闭，确定要退出游戏？", m_hWnd) == IDYES) ExitLauncher();
}

void CPlexor3Dlg::ExitLauncher() {
    if (m_hPendingChild) {
        ::TerminateProcess(m_hPendingChild.get(), 0);
        m_hPendingChild.reset();
    }
    m_hook.Remove();
    for (int i = 0; i < PageCount(); ++i) {
        HWND page = PageWindow(i);
        ::SetParent(page, nullptr);
        ::ShowWindow(page, SW_HIDE);
        ::PostMessageW(page, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    m_tray.Delete();
    ::PostQuitMessage(0);
}

BOOL CPlexor3Dlg::PreTranslateMessage(MSG* msg) {
    KeyFilterInput in;
    in.message = msg->message;
    in.wParam = msg->wParam;
    in.lParam = msg->lParam;
    in.modifierState = CurrentModifierState();
    in.pageCount = PageCount();
    in.hasPendingChild = static_cast<bool>(m_hPendingChild);
    HWND current = CurrentPage();
    in.currentPageVisible = current && ::IsWindowVisible(current);
    in.hallVisible = m_hHallWnd && ::IsWindowVisible(m_hHallWnd);
    in.switchKey = m_hotkeys[HotkeyId::Switch];

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
        m_hPendingChild.reset();
        return TRUE;
    case KeyFilterAction::TerminatePendingAndExit:
        ExitLauncher();  // ends the pending child first
        return TRUE;
    case KeyFilterAction::ForwardToCurrentPage:
        ForwardKey(current, *msg);
        return TRUE;
    case KeyFilterAction::ForwardToHall:
        ForwardKey(m_hHallWnd, *msg);
        return TRUE;
    case KeyFilterAction::RestoreThenPassOn:
        ShowWindow(SW_RESTORE);
        break;
    case KeyFilterAction::PassOn:
        break;
    }
    if (m_tip.m_hWnd) m_tip.SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
    return CDlgEx::PreTranslateMessage(msg);
}

void CPlexor3Dlg::ForwardKey(HWND target, const MSG& msg) {
    ::PostMessageW(target, msg.message, msg.wParam, msg.lParam);
}

RECT CPlexor3Dlg::PageArea() const { return ToRECT(PageAreaOf(ToRect(GetClientRect()))); }

void CPlexor3Dlg::MoveToPageArea(HWND wnd) const {
    RECT area = PageArea();
    ::MoveWindow(wnd, area.left, area.top, area.right - area.left, area.bottom - area.top, FALSE);
}

void CPlexor3Dlg::OnSize(UINT type, int cx, int cy) {
    HWND shown = (m_hHallWnd && ::IsWindowVisible(m_hHallWnd)) ? m_hHallWnd : CurrentPage();
    if (shown) MoveToPageArea(shown);

    CDlgEx::WindowProc(WM_SIZE, type, MAKELPARAM(cx, cy));

    if (cx != m_nLastWidth && m_btnHide.m_hWnd) {
        TitleControlsLayout l = LayoutTitleControls(cx);
        m_btnHide.MoveWindow(ToRECT(l.hide), TRUE);
        m_btnSound.MoveWindow(ToRECT(l.sound), TRUE);
        m_btnMenu.MoveWindow(ToRECT(l.menu), TRUE);
        m_lnkAddAcc.MoveWindow(ToRECT(l.addAccount), TRUE);
        for (CWnd* ctl : {static_cast<CWnd*>(&m_btnHide), static_cast<CWnd*>(&m_btnSound),
                          static_cast<CWnd*>(&m_btnMenu), static_cast<CWnd*>(&m_lnkAddAcc)})
            ctl->Invalidate(TRUE);
        InvalidateTitleButtons();
    }

    if (IsXpFamily() && cx < m_nLastWidth) {
        // The shrinking skin leaves its old corner behind on the desktop.
        RECT wr = GetWindowRect();
        RECT corner{wr.right - 4, wr.top, wr.right, wr.top + 4};
        ::RedrawWindow(::GetDesktopWindow(), &corner, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    m_nLastWidth = cx;
}

LRESULT CPlexor3Dlg::OnWindowPosChanging(WINDOWPOS* pos) {
    if (!(pos->flags & SWP_NOSIZE)) {
        MinimumSizeResult r = EnforceMinimumSize(PageCount(), pos->cx, pos->cy);
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
    DrawTabs(image.dc());
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

void CPlexor3Dlg::ShowSoundState(int muted) {
    m_btnSound.SetImage(LoadSkinBitmap(muted ? IDB_SOUND_OFF : IDB_SOUND_ON).get(), false);
    m_btnSound.Invalidate(TRUE);
}

void CPlexor3Dlg::ArmNoticeTimer() {
    if (m_bNoticeArmed) return;
    m_bNoticeArmed = true;
    SetTimer(kTimerNotice, buildcfg::kNoticeDelayMs);
}

void CPlexor3Dlg::ShowNotice() {
    KillTimer(kTimerNotice);
    if (m_dlgNotice.m_hWnd || !m_dlgNotice.Create(IDD_NOTICE, this)) return;
    // A notice with nothing to show closes unseen by itself.
    if (IsWindowVisible() && m_dlgNotice.WantsToShow()) m_dlgNotice.ShowWindow(SW_SHOW);
}

void CPlexor3Dlg::OnMuteTimer() {
    RemoveDeadPages();
    for (int i = 0; i < PageCount(); ++i)
        ::PostMessageW(PageWindow(i), WM_SET_MUTE, static_cast<WPARAM>(m_bMute), 0);
    if (m_bMute != m_nShownMute) {
        ShowSoundState(m_bMute);
        m_nShownMute = m_bMute;
    }
}

LRESULT CPlexor3Dlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
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
    case WM_TIMER:
        if (wp == kTimerMute) OnMuteTimer();
        if (wp == kTimerPendingLogin) WatchPendingLogin();
        if (wp == kTimerNotice) ShowNotice();
        break;
    case WM_ERASEBKGND:
        return OnEraseBkgnd(reinterpret_cast<HDC>(wp));
    case WM_HOTKEYS_CHANGED:
        ReloadHotkeys();
        return 0;
    case WM_TRAY_NOTIFY:
        return OnTrayNotify(lp);
    case WM_TRAY_MENU:
        ShowTrayMenu();
        return 0;
    case WM_PAGE_ATTACH:
        return OnPageAttach(reinterpret_cast<HWND>(wp), lp != 0);
    case WM_ADD_ACCOUNT_CHOICE:
        return OnAddAccountChoice(wp != 0);
    case WM_COPYDATA:
        return OnCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lp));
    case WM_NCHITTEST:
        return OnNcHitTest(lp);
    case WM_LBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_NCLBUTTONUP:
    case WM_MBUTTONUP:
    case WM_NCMBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_NCLBUTTONDBLCLK: {
        static const struct {
            UINT msg;
            TabMouse kind;
            bool screen;
        } kRoutes[] = {
            {WM_LBUTTONDOWN, TabMouse::LButtonDown, false}, {WM_NCLBUTTONDOWN, TabMouse::NcLButtonDown, true},
            {WM_LBUTTONUP, TabMouse::LButtonUp, false},     {WM_NCLBUTTONUP, TabMouse::NcLButtonUp, true},
            {WM_MBUTTONUP, TabMouse::MButtonUp, false},     {WM_NCMBUTTONUP, TabMouse::NcMButtonUp, true},
            {WM_LBUTTONDBLCLK, TabMouse::DoubleClick, false}, {WM_NCLBUTTONDBLCLK, TabMouse::DoubleClick, true},
        };
        for (const auto& route : kRoutes) {
            LRESULT result = 0;
            if (route.msg == msg && RouteTabMouse(route.kind, lp, route.screen, &result)) return result;
        }
        break;
    }
    case WM_MOUSELEAVE:
        ClearHover(true);
        break;
    case WM_NCMOUSELEAVE:
        ClearHover(false);
        break;
    default:
        break;
    }
    return CDlgEx::WindowProc(msg, wp, lp);
}
