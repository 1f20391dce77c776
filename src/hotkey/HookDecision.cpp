#include "hotkey/HookDecision.h"

#include "hotkey/KeyMessages.h"

using keymsg::kKeyDown;
using keymsg::kKeyUp;
using keymsg::kSysKeyDown;  // F10 and keys with Alt
using keymsg::kSysKeyUp;

std::optional<HotkeyId> DecideHookAction(const HookEvent& event, const HotkeySet& keys) {
    if (event.pageCount <= 0) return std::nullopt;
    if (event.message != kKeyDown && event.message != kSysKeyDown) return std::nullopt;
    if (event.keyWasDown) return std::nullopt;
    for (HotkeyId id : kHotkeyIds)
        if (ActsWhereverTheFocusIs(id) && MatchesHotkey(keys[id], event.vk, event.modifierState)) return id;
    return std::nullopt;
}

bool HeldKeys::Note(unsigned message, int32_t vk) {
    if (vk < 0 || vk >= static_cast<int32_t>(m_down.size())) return false;
    const size_t key = static_cast<size_t>(vk);
    const bool wasDown = m_down[key];
    if (message == kKeyDown || message == kSysKeyDown) {
        m_down.set(key);
        m_fresh.set(key);
    }
    if (message == kKeyUp || message == kSysKeyUp) m_down.reset(key);
    return wasDown;
}
