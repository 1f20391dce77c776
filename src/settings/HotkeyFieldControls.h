#pragma once
// Where each hotkey's field stands in the settings dialog's template.
#include "hotkey/HotkeyModel.h"
#include "resource.h"

struct HotkeyFieldControls {
    unsigned group;    // the group box around it, with its caption band
    unsigned label;
    unsigned edit;     // shows the hotkey; the player presses keys into it
    unsigned example;
};

inline HotkeyFieldControls FieldControlsOf(HotkeyId id) {
    switch (id) {
    case HotkeyId::Switch:
        return {IDC_SET_SWITCH_GROUP, IDC_SET_SWITCH_LABEL, IDC_SET_SWITCH_EDIT, IDC_SET_SWITCH_EXAMPLE};
    case HotkeyId::Sound:
        return {IDC_SET_SOUND_GROUP, IDC_SET_SOUND_LABEL, IDC_SET_SOUND_EDIT, IDC_SET_SOUND_EXAMPLE};
    case HotkeyId::Shot:
        return {IDC_SET_SHOT_GROUP, IDC_SET_SHOT_LABEL, IDC_SET_SHOT_EDIT, IDC_SET_SHOT_EXAMPLE};
    case HotkeyId::Boss:
        break;
    }
    return {IDC_SET_BOSS_GROUP, IDC_SET_BOSS_LABEL, IDC_SET_BOSS_EDIT, IDC_SET_BOSS_EXAMPLE};
}
