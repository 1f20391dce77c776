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
constexpr unsigned WM_OWNER_DPI_CHANGED = 0x408;   // every game page and the hall window: wParam the main window's new DPI
// Main window, scripted build only, from a test: its thread sleeps wParam ms,
// as it does while it waits on the network.
constexpr unsigned WM_TEST_BLOCK_THREAD = 0x409;

// lParam of a message the system synthesised (a menu's refresh key, an
// abandoned login's close request), so that key filters never take it for
// the player's input.
constexpr long kSystemMarker = 5813;

// Messages a window posts to itself from a worker thread (WM_APP and above:
// they never cross processes).
constexpr unsigned WM_DOWNLOAD_OVER = 0x8001;  // update progress dialog, from its watcher: wParam 1 whole
constexpr unsigned WM_HOOK_HOTKEY = 0x8002;    // main window, from its keyboard hook's thread: wParam the HotkeyId
constexpr unsigned WM_ENGINE_FETCH_DONE = 0x8051;  // scripted page engine: wParam the load's serial
constexpr unsigned WM_ENGINE_ONLOAD_DUE = 0x8052;  // scripted page engine: wParam the page's serial
constexpr unsigned WM_ENGINE_FAULT_DUE = 0x8053;   // scripted page engine: make the asked-for access violation
constexpr unsigned WM_ENGINE_IMAGE_DONE = 0x8054;  // scripted page engine: wParam the image fetch's serial

// Timers, window by window; each window's ids are its own.
// The main window:
constexpr unsigned kTimerMute = 3;    // 400 ms: hand the mute state to every page
constexpr unsigned kTimerNotice = 4;  // show the notice pop-up
constexpr unsigned kMuteTimerPeriodMs = 400;
// 400 ms while a login is pending: notices a login process that died
// without a word (its modal login had disabled this window).
constexpr unsigned kTimerPendingLogin = 7;
// The game window's frame:
constexpr unsigned kTimerWebBoxes = 5;    // 130 ms after a close request
constexpr unsigned kTimerRaiseOwner = 6;  // 10 ms after a click in the game
// The login background:
constexpr unsigned kTimerOwnerWatch = 2;  // 800 ms: is the owning main window still there?
// The notice pop-up:
constexpr unsigned kTimerNoticeShowing = 1;  // a showing is over
constexpr unsigned kTimerNoticePause = 2;    // the pause before the next showing is over
