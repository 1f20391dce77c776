#include "hotkey/HotkeyRecord.h"

int32_t ModifierState(bool ctrlHeld, bool shiftHeld, bool altHeld) {
    return (ctrlHeld ? kModCtrl : 0) | (shiftHeld ? kModShift : 0) | (altHeld ? kModAlt : 0);
}

bool MatchesHotkey(const HotkeyRecord& record, int32_t vk, int32_t modifierState) {
    // An unassigned record (vk 0) never matches, even a key event with code 0.
    if (record.vk <= 0) return false;
    return vk == record.vk && modifierState == record.modifiers;
}
