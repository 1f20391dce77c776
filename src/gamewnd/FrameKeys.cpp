#include "gamewnd/FrameKeys.h"

#include "base/WindowMessages.h"
#include "hotkey/KeyMessages.h"

using namespace keymsg;

namespace {
bool IsPlainF5(const HotkeyRecord& r) { return r.vk == static_cast<int32_t>(kVkF5) && r.modifiers == 0; }
}  // namespace

FrameKeyAction DecideFrameKey(const FrameKeyInput& in, const HotkeySet& keys) {
    if (IsHotkeyPress(in.message, in.wParam, in.lParam, in.modifierState, keys[HotkeyId::Switch]))
        return FrameKeyAction::ForwardToOwner;

    if (IsCtrlDOnTheDKey(in.message, in.wParam, in.lParam)) return FrameKeyAction::AddFavourite;

    if (in.message == kKeyDown && in.wParam == kVkF5) {
        // A plain F5 that is a hotkey belongs to the hook; only the menus'
        // marked F5 refreshes then.
        bool f5IsAHotkey = false;
        for (HotkeyId id : kHotkeyIds) f5IsAHotkey |= ActsWhereverTheFocusIs(id) && IsPlainF5(keys[id]);
        if (f5IsAHotkey && in.lParam != kSystemMarker) return FrameKeyAction::Swallow;
        return FrameKeyAction::Refresh;
    }

    if (IsSysCommand(in.message, in.wParam, kScClose)) return FrameKeyAction::ArmWebBoxSweep;
    return FrameKeyAction::PassOn;
}
