#pragma once
// CMainFrame: the game window of a page process. It has no caption, border or
// taskbar button; it makes itself a child of its main window, announces
// itself there, and ends when that main window is gone.
#include <string>

#include "base/WindowMessages.h"  // ZoomStep
#include "framework/DocView.h"
#include "gamewnd/FrameKeys.h"
#include "hotkey/HotkeyModel.h"
#include "sound/MuteLatch.h"

class CGmWndView;

class CMainFrame : public CFrameWnd {
public:
    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

protected:
    int OnCreate(CREATESTRUCTW* cs) override;
    void OnTimer(UINT_PTR id) override;

private:
    // The frame's one view, the game view the template made (null before).
    CGmWndView* GameView() const;
    static void CALLBACK WatchOwner(HWND, UINT, UINT_PTR, DWORD);
    void LoadHotkeys();
    // The main window's mute flag, repeated every 400 ms: the first value and
    // each change reach the sound.
    void OnSetMute(WPARAM muted);
    void RaiseOwner();
    void RefreshGame();
    // The main window moved to a display of `dpi`: the page follows it.
    // The main window showed this page or got the focus: the page takes the keyboard.
    void TakeKeys();
    void ZoomGame(int dpi);
    // The player asked for a zoom step; the main window decides and tells
    // the page its account's zoom (WM_SET_PAGE_ZOOM).
    void RequestZoom(ZoomStep step) const;
    void OnWheelZoom(WPARAM wp);
    void ZoomAccount(int percent);
    // A screenshot asked for by the main window, under the page's caption;
    // taken once the asking message is answered.
    LRESULT OnCopyData(const COPYDATASTRUCT* data);
    // Saves a picture of the page and tells the main window how it went.
    void ShootPage();

    // This process's copy of the hotkeys; -1, -1 until loaded.
    HotkeySet m_hotkeys;
    UINT_PTR m_ownerWatch = 0;  // the 800 ms owner watch (a thread timer)
    MuteLatch m_muteLatch;
    WheelNotches m_wheelNotches;
    std::wstring m_shotCaption;  // the caption the last screenshot was asked under
};

