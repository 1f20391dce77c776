#pragma once
// The platform's numbers for the key and command messages that the key
// filters of the main window and of a game page look at, and the rules both
// share: which key-down is the window-switch key, which character message is
// the player's Ctrl+D.
#include <cstdint>

#include "base/WindowMessages.h"
#include "hotkey/HotkeyRecord.h"

namespace keymsg {
constexpr unsigned kKeyDown = 0x100;     // WM_KEYDOWN
constexpr unsigned kKeyUp = 0x101;       // WM_KEYUP
constexpr unsigned kChar = 0x102;        // WM_CHAR
constexpr unsigned kSysKeyDown = 0x104;  // WM_SYSKEYDOWN
constexpr unsigned kSysKeyUp = 0x105;    // WM_SYSKEYUP
constexpr unsigned kSysCommand = 0x112;  // WM_SYSCOMMAND
constexpr unsigned kScClose = 0xF060;
constexpr unsigned kScRestore = 0xF120;
constexpr unsigned kVkEscape = 0x1B;
constexpr unsigned kVkSpace = 0x20;
constexpr unsigned kVkF5 = 0x74;
constexpr unsigned kVkF11 = 0x7A;
constexpr unsigned kCtrlD = 4;  // the character Ctrl+D types

// A key-down (plain or system) of `key` with exactly its modifiers held;
// never one the launcher marked as its own.
inline bool IsHotkeyPress(unsigned message, uintptr_t wParam, intptr_t lParam, int32_t modifierState,
                          const HotkeyRecord& key) {
    return (message == kKeyDown || message == kSysKeyDown) && lParam != kSystemMarker &&
           MatchesHotkey(key, static_cast<int32_t>(wParam), modifierState);
}

// A key-down whose key was down before it (bit 30 of its lParam): held
// down, a key repeats its key-down.
inline bool IsKeyRepeat(intptr_t lParam) { return (static_cast<uint32_t>(lParam) & 0x40000000u) != 0; }

// Ctrl+D typed on the D key itself: character 4 with the D key's scan code
// (0x20) and no flag bits (no Alt, no repeat). The repeat count in the low
// word does not matter; a character 4 typed some other way is no request.
inline bool IsCtrlDOnTheDKey(unsigned message, uintptr_t wParam, intptr_t lParam) {
    return message == kChar && (wParam & 0xFFFF) == kCtrlD &&
           (static_cast<uint32_t>(lParam) & 0xFFFF0000u) == 0x00200000u;
}

// Whether a system command is `command`: its low four bits are the system's own.
inline bool IsSysCommand(unsigned message, uintptr_t wParam, unsigned command) {
    return message == kSysCommand && (wParam & 0xFFF0) == command;
}
}  // namespace keymsg

// A message as the key filters see it: what came, and the modifiers held
// when it came.
struct KeyMessageInput {
    unsigned message = 0;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
    int32_t modifierState = 0;  // ModifierState() at the time of the message
};
