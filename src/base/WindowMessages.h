#pragma once
// Window messages between the processes of one launcher instance, and the
// marker that tells messages the system made from the player's own input.
// Shared by every process of the executable, so the numbers never change.

constexpr unsigned WM_TRAY_NOTIFY = 0x401;         // main window, from the shell: wParam icon id, lParam mouse message
constexpr unsigned WM_PAGE_ATTACH = 0x402;         // main window, from a child's frame: wParam frame, lParam 1 hall / 0 page
constexpr unsigned WM_TRAY_MENU = 0x403;           // main window, to itself: show the tray menu at the cursor
constexpr unsigned WM_HOTKEYS_CHANGED = 0x404;     // main window, from the settings dialog: reload hotkeys
constexpr unsigned WM_SET_MUTE = 0x405;            // every game page: wParam 1 mute, 0 sound on
constexpr unsigned WM_ADD_ACCOUNT_CHOICE = 0x406;  // main window, from the add-account prompt: wParam 1 new tab, 0 new window
constexpr unsigned WM_RELOAD_HOTKEYS = 0x407;      // every game page and the hall window: re-read the hotkeys

// lParam of a message the system synthesised (a menu's refresh key, an
// abandoned login's close request), so that key filters never take it for
// the player's input.
constexpr long kSystemMarker = 5813;

// Main window timers.
constexpr unsigned kTimerMute = 3;    // 400 ms: hand the mute state to every page
constexpr unsigned kTimerNotice = 4;  // show the notice pop-up
constexpr unsigned kMuteTimerPeriodMs = 400;
// 400 ms while a login is pending: notices a login process that died
// without a word (its modal login had disabled this window).
constexpr unsigned kTimerPendingLogin = 7;
