#include "browser/FrameKeys.h"

#include "base/WindowMessages.h"
#include "hotkey/KeyMessages.h"

using namespace keymsg;

namespace {
bool IsPlainF5(const HotkeyRecord& r) { return r.vk == static_cast<int32_t>(kVkF5) && r.modifiers == 0; }
}  // namespace

FrameKeyAction DecideFrameKey(const FrameKeyInput& in, const FrameHotkeys& keys) {
    if (IsHotkeyPress(in.message, in.wParam, in.lParam, in.modifierState, keys.switchKey))
        return FrameKeyAction::ForwardToOwner;

    if (IsCtrlDOnTheDKey(in.message, in.wParam, in.lParam)) return FrameKeyAction::AddFavourite;

    if (in.message == kKeyDown && in.wParam == kVkF5) {
        // A plain F5 that is a hotkey belongs to the hook; only the menus'
        // marked F5 refreshes then.
        const bool f5IsAHotkey = IsPlainF5(keys.boss) || IsPlainF5(keys.sound);
        if (f5IsAHotkey && in.lParam != kSystemMarker) return FrameKeyAction::Swallow;
        return FrameKeyAction::Refresh;
    }

    if (IsSysCommand(in.message, in.wParam, kScClose)) return FrameKeyAction::ArmWebBoxSweep;
    return FrameKeyAction::PassOn;
}
