#pragma once
// What the launcher's processes say to each other: window messages (WM_*),
// the tags of WM_COPYDATA records (COPYDATA_*), and the marker of messages
// the system made. Processes of different builds talk to each other (a page
// started from an updated executable attaches to a main window still running
// the old one; the settings dialog of one instance tells every instance), so
// no number here ever changes, and a number given up is never reused: 0x401
// was the tray icon's callback and 0x403 the tray menu's request, both the
// main window's own now (mainwnd/MainWindowMessages.h).
//
// The window messages sit from WM_USER on, where a dialog's manager has its
// DM_ messages (DM_GETDEFID 0x400, DM_SETDEFID 0x401, DM_REPOSITION 0x402),
// and the main window is a dialog: WM_PAGE_ATTACH has DM_REPOSITION's number.
// It keeps it, because the frames of every build, old ones included, post
// 0x402 to attach. The main window's procedure takes 0x402 before its dialog
// manager could, and nothing sends that window DM_REPOSITION: only a program
// asks a dialog of its own to fit the desktop, and ours never does. A
// window's own messages, which never leave its process, start at WM_APP and
// live with the window.
#include <cstdint>
#include <optional>

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
// 0x40C and 0x40D are the screenshot's COPYDATA_ tags below, never messages.
// A game page or the hall window, from its main window: it shows now, or the
// main window got the focus; the page takes the keyboard.
constexpr unsigned WM_PAGE_TAKE_KEYS = 0x40E;

// The step a player asks for, as WM_PAGE_ZOOM_REQUEST's lParam carries it.
enum class ZoomStep : uintptr_t { ActualSize = 0, In = 1, Out = 2 };
// The step a message carries; none for a value no launcher sends.
constexpr std::optional<ZoomStep> ZoomStepOf(uintptr_t value) {
    switch (value) {
    case static_cast<uintptr_t>(ZoomStep::ActualSize):
    case static_cast<uintptr_t>(ZoomStep::In):
    case static_cast<uintptr_t>(ZoomStep::Out):
        return static_cast<ZoomStep>(value);
    default:
        return std::nullopt;
    }
}

// WM_COPYDATA records, by their dwData; each carries UTF-16 text with its
// terminating zero (base/CopyDataText.h). The screenshot's two took the
// numbers of messages beside them, and keep them.
//
// Main window, from a login page, sent: the tab caption (account and server)
// of a login about to open its game page; the answer is 1 when the main
// window takes it, 0 when it already holds that caption. The main window
// reads a record of any tag it does not know as this one.
constexpr uintptr_t COPYDATA_REGISTER_CAPTION = 0;
// A game page's frame, from its main window: the page's tab caption; the
// frame draws the page and saves the picture. The answer is 1 when it will.
constexpr uintptr_t COPYDATA_TAKE_PAGE_SHOT = 0x40C;
// Main window, from that frame (wParam the frame): the saved file's full
// path, or nothing when saving failed.
constexpr uintptr_t COPYDATA_PAGE_SHOT_SAVED = 0x40D;
// The scripted engine's page window, from a test: a test command
// (engine/ScriptedCommands.h). "ZSPC".
constexpr uintptr_t COPYDATA_SCRIPTED_COMMAND = 0x5A535043;

// lParam of a message the system synthesised (a menu's refresh key, an
// abandoned login's close request), so that key filters never take it for
// the player's input.
constexpr long kSystemMarker = 5813;
