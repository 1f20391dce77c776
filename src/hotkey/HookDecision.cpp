#include "hotkey/HookDecision.h"

#include "hotkey/KeyMessages.h"

using keymsg::kKeyDown;
using keymsg::kSysKeyDown;  // F10 and keys with Alt

HookAction DecideHookAction(const HookEvent& event, const HotkeyRecord& boss, const HotkeyRecord& sound) {
    if (event.pageCount <= 0) return HookAction::None;
    if (event.message != kKeyDown && event.message != kSysKeyDown) return HookAction::None;
    if (MatchesHotkey(boss, event.vk, event.modifierState)) return HookAction::Boss;
    if (MatchesHotkey(sound, event.vk, event.modifierState)) return HookAction::Sound;
    return HookAction::None;
}
