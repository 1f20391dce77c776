#pragma once
// One user-assignable hotkey: a virtual-key code and the modifiers that must
// be held with it.
#include <cstdint>

// Modifier bits, the same values as the platform's MOD_ALT, MOD_CONTROL, MOD_SHIFT.
enum : int32_t { kModAlt = 1, kModCtrl = 2, kModShift = 4 };

struct HotkeyRecord {
    int32_t vk = -1;         // 0: no hotkey assigned; -1 until first loaded (matches nothing)
    int32_t modifiers = -1;  // bit set of kMod*
};

// The modifier state as a bit set, from which of the three keys are held.
int32_t ModifierState(bool ctrlHeld, bool shiftHeld, bool altHeld);

// A key event matches when its code is the record's key and the modifiers held
// are exactly the record's: an extra modifier prevents a match.
bool MatchesHotkey(const HotkeyRecord& record, int32_t vk, int32_t modifierState);
