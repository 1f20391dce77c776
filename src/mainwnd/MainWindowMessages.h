#pragma once
// The main window's own messages and timer ids: none crosses processes.
// They start at WM_APP, clear of the DM_ messages its dialog manager keeps
// from WM_USER on. What other processes send it is in base/WindowMessages.h,
// from WM_USER on, and one of those has a DM_ number: WM_PAGE_ATTACH is
// DM_REPOSITION's 0x402 (that header says why it stays).
#include <windows.h>

constexpr UINT WM_TRAY_NOTIFY = WM_APP + 1;  // from the shell: wParam icon id, lParam mouse message
constexpr UINT WM_HOOK_HOTKEY = WM_APP + 2;  // from the keyboard hook's thread: wParam the HotkeyId
constexpr UINT WM_TRAY_MENU = WM_APP + 3;    // to itself: show the tray menu at the cursor

constexpr UINT_PTR kTimerMute = 3;    // 400 ms: hand the mute state to every page
constexpr UINT_PTR kTimerNotice = 4;  // show the notice pop-up
constexpr UINT kMuteTimerPeriodMs = 400;
// 400 ms while a login is pending: notices a login process that died
// without a word (its modal login had disabled this window).
constexpr UINT_PTR kTimerPendingLogin = 7;
