#include "hotkey/HookDecision.h"

namespace {
constexpr unsigned kKeyDown = 0x100;     // WM_KEYDOWN
constexpr unsigned kSysKeyDown = 0x104;  // WM_SYSKEYDOWN: F10 and keys with Alt
}  // namespace

HookAction DecideHookAction(const HookEvent& event, const HotkeyRecord& boss, const HotkeyRecord& sound) {
    if (event.pageCount <= 0) return HookAction::None;
    if (event.message != kKeyDown && event.message != kSysKeyDown) return HookAction::None;
    if (MatchesHotkey(boss, event.vk, event.modifierState)) return HookAction::Boss;
    if (MatchesHotkey(sound, event.vk, event.modifierState)) return HookAction::Sound;
    return HookAction::None;
}
