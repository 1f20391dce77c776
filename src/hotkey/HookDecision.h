#pragma once
// What the system-wide keyboard hook of a main window does with one key
// event: which hotkey it is, or nothing. The event itself always goes on to
// whichever application has the focus.
#include <cstdint>
#include <optional>

#include "hotkey/HotkeyModel.h"

struct HookEvent {
    unsigned message = 0;       // WM_KEYDOWN, WM_SYSKEYDOWN, WM_KEYUP, ...
    int32_t vk = 0;
    int32_t modifierState = 0;  // ModifierState() when the event came
    int pageCount = 0;          // game pages of the main window (the hall does not count)
};

// Key-downs only (auto-repeats count again), only while the window has a game
// page, and only the hotkeys that act wherever the focus is. They are tried
// in the order of kHotkeyIds, so when the boss and sound keys are the same key
// only the window hides.
std::optional<HotkeyId> DecideHookAction(const HookEvent& event, const HotkeySet& keys);
