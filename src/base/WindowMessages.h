#pragma once
// Window messages between the processes of one launcher instance, and the
// marker that tells messages the system made from the player's own input.
// Shared by every process of the executable, so the numbers never change.

// 0x401 was the tray icon's callback and 0x403 the tray menu's request:
// both are the main window's own now (mainwnd/TrayIcon.h). Numbers are not
// reused, so that builds of different ages never misread each other.
constexpr unsigned WM_PAGE_ATTACH = 0x402;         // main window, from a child's frame: wParam frame, lParam 1 hall / 0 page
constexpr unsigned WM_HOTKEYS_CHANGED = 0x404;     // main window, from the settings dialog: reload hotkeys
constexpr unsigned WM_SET_MUTE = 0x405;            // every game page: wParam 1 mute, 0 sound on
constexpr unsigned WM_ADD_ACCOUNT_CHOICE = 0x406;  // main window, from the add-account prompt: wParam 1 new tab, 0 new window
constexpr unsigned WM_RELOAD_HOTKEYS = 0x407;      // every game page and the hall window: re-read the hotkeys
constexpr unsigned WM_OWNER_DPI_CHANGED = 0x408;   // every game page and the hall window: wParam the main window's new DPI
// Main window, scripted build only, from a test: its thread sleeps wParam ms,
// as it does while it waits on the network.
constexpr unsigned WM_TEST_BLOCK_THREAD = 0x409;
// Main window, from a game page's frame: the player asked to zoom that page
// (Ctrl + wheel, plus, minus, 0): wParam the frame, lParam the ZoomStep.
constexpr unsigned WM_PAGE_ZOOM_REQUEST = 0x40A;
// Every game page: wParam its account's zoom in percent of the display's scale.
constexpr unsigned WM_SET_PAGE_ZOOM = 0x40B;
// Screenshots, each as the dwData of a WM_COPYDATA whose data is UTF-16 text
// with its terminating zero. To a game page's frame, from its main window
// (the page's tab caption): draw the page and save it. To the main window,
// from that frame (wParam the frame; the saved file's full path, or nothing
// when saving failed): the outcome.
constexpr unsigned WM_TAKE_PAGE_SHOT = 0x40C;
constexpr unsigned WM_PAGE_SHOT_SAVED = 0x40D;
// A game page or the hall window, from its main window: it shows now, or the
// main window got the focus; the page takes the keyboard.
constexpr unsigned WM_PAGE_TAKE_KEYS = 0x40E;

// lParam of a message the system synthesised (a menu's refresh key, an
// abandoned login's close request), so that key filters never take it for
// the player's input.
constexpr long kSystemMarker = 5813;
