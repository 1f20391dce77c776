#pragma once
// What the system-wide keyboard hook of a main window does with one key
// event: the boss key, the sound key, or nothing. The event itself always
// goes on to whichever application has the focus.
#include <cstdint>

#include "hotkey/HotkeyRecord.h"

enum class HookAction { None, Boss, Sound };

struct HookEvent {
    unsigned message = 0;       // WM_KEYDOWN, WM_SYSKEYDOWN, WM_KEYUP, ...
    int32_t vk = 0;
    int32_t modifierState = 0;  // ModifierState() when the event came
    int pageCount = 0;          // game pages of the main window (the hall does not count)
};

// Key-downs only (auto-repeats count again), and only while the window has a
// game page. The boss key is tried first, so when both records are the same
// key only the window hides.
HookAction DecideHookAction(const HookEvent& event, const HotkeyRecord& boss, const HotkeyRecord& sound);
