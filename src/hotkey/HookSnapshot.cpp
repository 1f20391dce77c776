#include "hotkey/HookSnapshot.h"

void HookSnapshot::SetHotkeys(const HotkeySet& keys) {
    std::lock_guard<std::mutex> hold(m_lock);
    m_keys = keys;
}

std::optional<HotkeyId> HookSnapshot::Decide(unsigned message, int32_t vk, int32_t modifierState,
                                             bool keyWasDown) const {
    HookEvent event;
    event.message = message;
    event.vk = vk;
    event.modifierState = modifierState;
    event.keyWasDown = keyWasDown;
    event.pageCount = m_pageCount.load();
    std::lock_guard<std::mutex> hold(m_lock);
    return DecideHookAction(event, m_keys);
}
