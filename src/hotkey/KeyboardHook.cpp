#include "hotkey/KeyboardHook.h"

#include "hotkey/HookDecision.h"
#include "hotkey/KeyState.h"

namespace {
HotkeyActions* g_pHookTarget = nullptr;
}  // namespace

bool KeyboardHook::Install(HotkeyActions* target) {
    if (m_hook || g_pHookTarget || !target) return false;
    g_pHookTarget = target;
    m_hook.reset(::SetWindowsHookExW(WH_KEYBOARD_LL, &KeyboardHook::Procedure, ::GetModuleHandleW(nullptr), 0));
    if (!m_hook) g_pHookTarget = nullptr;
    return installed();
}

void KeyboardHook::Remove() {
    if (!m_hook) return;
    m_hook.reset();
    g_pHookTarget = nullptr;
}

LRESULT CALLBACK KeyboardHook::Procedure(int code, WPARAM wp, LPARAM lp) {
    // A negative code asks for the event to be passed on untouched.
    if (code == HC_ACTION && g_pHookTarget) {
        const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lp);
        HookEvent event;
        event.message = static_cast<unsigned>(wp);
        event.vk = static_cast<int32_t>(key->vkCode);
        event.modifierState = CurrentModifierState();
        event.pageCount = g_pHookTarget->GamePageCount();
        if (const std::optional<HotkeyId> hotkey = DecideHookAction(event, g_pHookTarget->Hotkeys()))
            g_pHookTarget->OnHotkey(*hotkey);
    }
    // Never swallowed: the program with the focus gets the key as well.
    return ::CallNextHookEx(nullptr, code, wp, lp);
}
