#pragma once
// CPlexor3Dlg: the shell window of one launcher instance. It never shows a web
// page itself: each game page is the frame of a child process, re-parented
// into this window and shown in its page area, with a tab in the title area.
#include <string>
#include <vector>

#include "extras/PopInfoDlg.h"
#include "framework/Handles.h"
#include "hotkey/HotkeyRecord.h"
#include "hotkey/KeyboardHook.h"
#include "login/AddAccDlg.h"
#include "login/LoginDlg.h"
#include "mainwnd/PageBook.h"
#include "mainwnd/TabStrip.h"
#include "mainwnd/TrayIcon.h"
#include "ui/BtnEx.h"
#include "ui/DlgEx.h"
#include "ui/StaticEx.h"

class CSettingDlg;

class CPlexor3Dlg : public CDlgEx, public HotkeyActions {
public:
    CPlexor3Dlg();
    ~CPlexor3Dlg() override;

    // The main window of this process (there is exactly one), or null.
    static CPlexor3Dlg* Instance();

    // Hides the whole instance, or restores it and brings it to the front.
    void OnBossKey();
    // Flips the instance's mute state; pages learn it at the next mute tick.
    void ToggleMute();
    int GamePageCount() const override { return PageCount(); }
    const HotkeySet& Hotkeys() const override { return m_hotkeys; }
    void OnHotkey(HotkeyId id) override;
    // Reads the hotkeys anew and has every page and the hall do the same.
    void ReloadHotkeys();
    // Runs `dlg` modally as the open settings dialog, which hiding the
    // instance cancels.
    INT_PTR RunSettingsDialog(CDialog& dlg);
    // Shows the next page (the current one again when there is one page or
    // the hall window is showing).
    void SwitchToNextPage();
    // Shows `page` in the page area and hides every other page; null hides all.
    void ShowPage(HWND page);
    // Starts a child process for a new login, in a new tab of this window.
    void StartChildPage();
    void WatchPendingLogin();
    void SelectTab(POINT client);
    void ClosePage(int index);
    // Ends the instance: the pending child, every page, then the modal loop.
    void ExitLauncher();

    CBtnEx m_btnHide;
    CBtnEx m_btnMenu;
    CBtnEx m_btnSound;
    CStaticEx m_lnkAddAcc;
    int m_bMute = 0;
    OSVERSIONINFOW m_osvi{};
    HWND m_hHallWnd = nullptr;
    fw::KernelHandle m_hPendingChild;
    // The game pages in tab order with their captions (and the captions that
    // wait for their page).
    PageBook m_arrPages;
    fw::ImageListHandle m_ilTab;    // tab backgrounds: normal, hot, current
    fw::ImageListHandle m_ilClose;  // tab close boxes: shown, hot, pressed
    int m_nCurPage = 0;
    int m_nHotPage = -1;
    int m_nCloseState = -1;
    BOOL m_bTipActive = FALSE;
    CWnd m_tip;
    BOOL m_bTracking = FALSE;
    CAddAccDlg m_dlgAddAcc;
    CLoginDlg m_dlgLogin;  // a hidden login page, only on Windows XP
    CPopInfoDlg m_dlgNotice;  // the portal's notice, created when timer 4 fires
    HICON m_hIcon = nullptr;
    TrayIcon m_tray;

    // The three hotkeys; they match nothing until loaded.
    HotkeySet m_hotkeys;
    KeyboardHook m_hook;

    // The executable started for each login: this one (tests that host the
    // window in their own process name another).
    std::wstring m_strChildExe;

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
    void OnOK() override {}  // Enter never closes the window
    void OnCancel() override;
    bool OnCommand(UINT id, UINT code, HWND ctl) override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void SetUpSkinAndControls();
    void CreateTabTooltip();
    bool IsXpFamily() const { return m_osvi.dwMajorVersion < 6; }
    int PageCount() const { return m_arrPages.count(); }
    HWND PageWindow(int i) const { return reinterpret_cast<HWND>(m_arrPages.frame(i)); }
    HWND CurrentPage() const;
    RECT PageArea() const;
    void MoveToPageArea(HWND wnd) const;
    void InvalidateTab(int index);

    void OnSize(UINT type, int cx, int cy);
    LRESULT OnWindowPosChanging(WINDOWPOS* pos);
    BOOL OnEraseBkgnd(HDC dc);
    void ShowSoundState(int muted);
    void OnPaint();
    void OnMuteTimer();
    void BringToFront();
    void ForwardKey(HWND target, const MSG& msg);
    // Timer 4, once per instance: a while after the first game page came,
    // so that the notice finds the player in the game.
    void ArmNoticeTimer();
    void ShowNotice();

    // The system menu, the tray menu and the tray icon's clicks.
    void ShowSystemMenu();
    void ShowTrayMenu();
    void RunMenuCommand(int command, CSettingDlg& settings);
    void UpdateFromMenu();
    LRESULT OnTrayNotify(LPARAM mouseMessage);

    // Game pages and the tab strip.
    LRESULT OnPageAttach(HWND frame, bool hall);
    LRESULT OnAddAccountChoice(bool newTab);
    LRESULT OnCopyData(const COPYDATASTRUCT* data);
    void ShowAddAccountPrompt();
    void DrawTabs(HDC dc);
    LRESULT OnNcHitTest(LPARAM lp);
    bool RouteTabMouse(TabMouse message, LPARAM lp, bool screenPoint, LRESULT* result);
    void ClearHover(bool clearTracking);
    // Removes pages whose process has died and waiting captions of ended logins.
    void RemoveDeadPages();
    void SetHover(const TabHover& hover) { m_nHotPage = hover.hotTab; m_nCloseState = hover.closeState; }

    int m_nLastWidth = 0;       // client width seen by the previous WM_SIZE
    int m_nShownMute = 1;       // mute value last shown on the sound button
    bool m_bNoticeArmed = false;
};
