#include "hotkey/HookDecision.h"

#include "hotkey/KeyMessages.h"

using keymsg::kKeyDown;
using keymsg::kSysKeyDown;  // F10 and keys with Alt

std::optional<HotkeyId> DecideHookAction(const HookEvent& event, const HotkeySet& keys) {
    if (event.pageCount <= 0) return std::nullopt;
    if (event.message != kKeyDown && event.message != kSysKeyDown) return std::nullopt;
    for (HotkeyId id : kHotkeyIds)
        if (ActsWhereverTheFocusIs(id) && MatchesHotkey(keys[id], event.vk, event.modifierState)) return id;
    return std::nullopt;
}
