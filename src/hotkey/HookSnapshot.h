#pragma once
// What the keyboard hook's thread knows of its main window: the hotkeys and
// how many game pages the window has. The window's thread writes it whenever
// either changes and the hook's thread reads it for every key, so the hook
// never touches the window's own objects and never waits for its thread.
#include <atomic>
#include <mutex>
#include <optional>

#include "hotkey/HookDecision.h"
#include "hotkey/HotkeyModel.h"

class HookSnapshot {
public:
    void SetHotkeys(const HotkeySet& keys);
    void SetPageCount(int count) { m_pageCount.store(count); }

    // DecideHookAction on a key event, with what was written last.
    std::optional<HotkeyId> Decide(unsigned message, int32_t vk, int32_t modifierState, bool keyWasDown) const;

private:
    // A set is three records; the lock hands the reader a whole one.
    mutable std::mutex m_lock;
    HotkeySet m_keys;  // they match nothing until written
    std::atomic<int> m_pageCount{0};
};
