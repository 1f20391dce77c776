#pragma once
// The modifier keys held right now, as a hotkey's modifier bit set (the high
// bit of the key state; left and right keys are not told apart), as the
// calling thread's own key messages left them.
#include <windows.h>

#include "hotkey/HotkeyRecord.h"
#include "hotkey/KeyMessages.h"

inline int32_t CurrentModifierState() {
    auto held = [](int vk) { return (::GetKeyState(vk) & 0x8000) != 0; };
    return ModifierState(held(VK_CONTROL), held(VK_SHIFT), held(VK_MENU));
}

// The modifier keys held down on the keyboard right now, for a thread that
// reads no key messages of its own (GetKeyState follows only the caller's).
inline int32_t HeldModifierState() {
    auto held = [](int vk) { return (::GetAsyncKeyState(vk) & 0x8000) != 0; };
    return ModifierState(held(VK_CONTROL), held(VK_SHIFT), held(VK_MENU));
}

// A message about to be dispatched, with the modifiers held now.
inline KeyMessageInput KeyMessageOf(const MSG& msg) {
    KeyMessageInput in;
    in.message = msg.message;
    in.wParam = msg.wParam;
    in.lParam = msg.lParam;
    in.modifierState = CurrentModifierState();
    return in;
}
