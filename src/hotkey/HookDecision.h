#pragma once
// What the system-wide keyboard hook of a main window does with one key
// event: which hotkey it is, or nothing. The event itself always goes on to
// whichever application has the focus.
#include <bitset>
#include <cstdint>
#include <optional>

#include "hotkey/HotkeyModel.h"

struct HookEvent {
    unsigned message = 0;       // WM_KEYDOWN, WM_SYSKEYDOWN, WM_KEYUP, ...
    int32_t vk = 0;
    int32_t modifierState = 0;  // ModifierState() when the event came
    int pageCount = 0;          // game pages of the main window (the hall does not count)
    bool keyWasDown = false;    // HeldKeys::Note's answer for this event
};

// A key's first key-down only: a held key repeats its key-down, and a hotkey
// that acted on each would hide and show the window over and over while it
// is held; it acts again once the key has come up. Only while the window has
// a game page, and only the hotkeys that act wherever the focus is. They are
// tried in the order of kHotkeyIds, so when the boss and sound keys are the
// same key only the window hides.
std::optional<HotkeyId> DecideHookAction(const HookEvent& event, const HotkeySet& keys);

// The keys that have gone down and not yet up, as the hook saw them.
class HeldKeys {
public:
    // Notes a key event; whether its key was down before it (for a key-down:
    // an auto-repeat).
    bool Note(unsigned message, int32_t vk);
    // Forgets the keys `isDown(vk)` says are up now. A key-up that never
    // reached the hook (it was removed meanwhile) would leave its key held,
    // and its hotkey dead, until the next key-up. A key that went down since
    // the last call stays: the system updates what `isDown` reads only after
    // the hook has seen the key.
    template <class IsDown>
    void ForgetReleased(IsDown isDown) {
        for (size_t vk = 0; vk < m_down.size(); ++vk)
            if (m_down[vk] && !m_fresh[vk] && !isDown(static_cast<int32_t>(vk))) m_down.reset(vk);
        m_fresh.reset();
    }

private:
    std::bitset<256> m_down;   // by virtual-key code
    std::bitset<256> m_fresh;  // went down since the last ForgetReleased
};
