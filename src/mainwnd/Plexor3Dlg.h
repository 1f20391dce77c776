#pragma once
// CPlexor3Dlg: the shell window of one launcher instance. It never shows a web
// page itself: each game page is the frame of a child process, re-parented
// into this window and shown in its page area, with a tab in the title area.
// Its parts: the title controls, the tab strip, the game pages and the
// logins; this class ties them to the window's messages, the hotkeys, the
// menus, the tray icon, the add-account prompt and the notice.
#include <string>

#include "base/WindowMessages.h"  // ZoomStep
#include "extras/PopInfoDlg.h"
#include "hotkey/KeyboardHook.h"
#include "login/AddAccDlg.h"
#include "mainwnd/GamePages.h"
#include "mainwnd/LoginChildren.h"
#include "mainwnd/PageSenders.h"
#include "mainwnd/TabStrip.h"
#include "mainwnd/TitleControls.h"
#include "mainwnd/TrayIcon.h"
#include "ui/DlgEx.h"

class MainWindowHost;

class CPlexor3Dlg : public CDlgEx {
public:
    CPlexor3Dlg();

    // The executable started for each login (tests name another than this).
    void SetChildExecutable(const std::wstring& exe) { m_logins.SetExecutable(exe); }
    // What the player's menu choices set going; it outlives the window.
    void SetHost(MainWindowHost* host) { m_host = host; }
    // Runs `dlg` modally as the open settings dialog, which hiding the
    // instance cancels.
    INT_PTR RunSettingsDialog(CDialog& dlg);

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
    void OnOK() override {}  // Enter never closes the window
    void OnCancel() override;
    bool OnCommand(UINT id, UINT code, HWND ctl) override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnTimer(UINT_PTR id) override;

private:
    void SetUpSkin();
    // A hotkey pressed, seen by the keyboard hook or by the window's own filter.
    void OnHotkey(HotkeyId id);
    // The keyboard hook decides on its own thread, by what it was last told.
    void TellHookThePageCount() { m_hook.SetGamePageCount(m_pages.count()); }
    // Hides the whole instance, or restores it and brings it to the front.
    void OnBossKey();
    void BringToFront();
    // Flips the instance's mute state; pages learn it at the next mute tick.
    void ToggleMute() { m_bMute = !m_bMute; }
    // Reads the hotkeys anew and has every page and the hall do the same.
    void ReloadHotkeys();
    // Ends the instance: the pending login, every page, then the modal loop.
    void ExitLauncher();

    // Full screen for the current page (Plexor3DlgFullScreen.cpp): the
    // window covers its display and the page all of it.
    void ToggleFullScreen();
    void SetFullScreen(bool on);
    // A message box of this window, which never stands behind a page in
    // full screen: the window leaves full screen first.
    int AskPlayer(int type, const std::wstring& text);

    // Window messages.
    void OnSize(UINT type, int cx, int cy);
    void OnScaleChanged() override;
    // Where the skin's own caption buttons begin, in a client area `cx` wide.
    int CaptionButtonsLeft(int cx) const;
    LRESULT OnWindowPosChanging(WINDOWPOS* pos);
    BOOL OnEraseBkgnd(HDC dc);
    void OnPaint();
    void OnMuteTimer();
    LRESULT OnNcHitTest(LPARAM lp);
    bool OnTabMouse(UINT msg, LPARAM lp, LRESULT* result);

    // Game pages and logins (Plexor3DlgPages.cpp).
    void StartChildPage();
    void WatchPendingLogin();
    LRESULT OnPageAttach(HWND frame, bool hall);
    // Whether `frame`, of process `process`, may attach: a page of a login
    // this window accepted, or the hall running this executable.
    bool MayAttach(HWND frame, bool hall, uint32_t process) const;
    LRESULT OnAddAccountChoice(bool newTab);
    // A login page's caption, or a page's screenshot outcome, from window `from`.
    LRESULT OnCopyData(HWND from, const COPYDATASTRUCT* data);
    void ShowAddAccountPrompt();
    // Shows the next page (the current one again when there is one page or
    // the hall window is showing).
    void SwitchToNextPage();
    // The left button went down on the tab strip, at `hit`.
    void SelectTab(const TabHit& hit);
    void ClosePage(int index);
    // Mutes or unmutes page `index`'s account on its own, and remembers it.
    void ToggleAccountMute(int index);
    // Zooms page `index`'s account a step, tells its page and remembers it.
    void ZoomAccount(int index, ZoomStep step);
    // A page's frame asked for a zoom step (the hall's ask is no page's).
    LRESULT OnPageZoomRequest(HWND frame, LPARAM step);
    // Removes pages whose process has died and waiting captions of ended logins.
    void RemoveDeadPages();
    // Timer 4, armed once per instance by the first game page.
    void ShowNotice();

    // The system menu, the tray menu and the tray icon (Plexor3DlgMenus.cpp).
    void ShowSystemMenu();
    void ShowTrayMenu();
    // The menu of tab `tab`: mute that account, zoom its page, or close it.
    void ShowTabMenu(int tab);
    void RunMenuCommand(int command);
    void UpdateFromMenu();
    LRESULT OnTrayNotify(LPARAM mouseMessage);

    // Screenshots (Plexor3DlgShots.cpp): page `index` is asked to save a
    // picture of itself; its answer shows in the tray icon's balloon, a
    // click on which opens the folder.
    void ShootPage(int index);
    void OnPageShotSaved(HWND frame, const std::wstring& path);
    void OpenShotFolder();

    TitleControls m_title;
    TabStrip m_tabs;
    GamePages m_pages;
    LoginChildren m_logins;
    const uint32_t m_testStandIn = TestStandInProcess();  // 0 but in the scripted build's tests
    CAddAccDlg m_dlgAddAcc;
    CPopInfoDlg m_dlgNotice;  // the portal's notice, created when timer 4 fires
    bool m_hadPage = false;  // a game page attached once: the first-attach steps are done
    bool m_bMute = false;  // the whole window is muted (the sound button, the mute key)
    HICON m_hIcon = nullptr;
    TrayIcon m_tray;
    HotkeySet m_hotkeys;  // they match nothing until loaded
    KeyboardHook m_hook;
    CDialog* m_settingDialog = nullptr;  // while it runs, so that hiding can cancel it
    MainWindowHost* m_host = nullptr;    // the application's, for the window's life
    bool m_shotBalloonOpensFolder = false;  // the balloon shows a saved screenshot
};
