#include "gamewnd/FrameKeys.h"

#include "base/WindowMessages.h"
#include "hotkey/KeyMessages.h"

using namespace keymsg;

FrameKeyAction DecideFrameKey(const FrameKeyInput& in, const HotkeySet& keys) {
    if (IsHotkeyPress(in.message, in.wParam, in.lParam, in.modifierState, keys[HotkeyId::Switch]))
        return FrameKeyAction::ForwardToOwner;

    if (IsCtrlDOnTheDKey(in.message, in.wParam, in.lParam)) return FrameKeyAction::AddFavourite;

    if (in.message == kKeyDown && in.wParam == kVkF5) {
        // A plain F5 that is a hotkey belongs to the hook; only the menus'
        // marked F5 refreshes then.
        if (PlainKeyBelongsToHook(keys, kVkF5) && in.lParam != kSystemMarker) return FrameKeyAction::Swallow;
        return FrameKeyAction::Refresh;
    }

    if (in.message == kKeyDown && in.wParam == kVkF11) {
        // Full screen is the main window's: the key goes there, as the
        // switch key does, unless the hook has it.
        if (PlainKeyBelongsToHook(keys, kVkF11) && in.lParam != kSystemMarker) return FrameKeyAction::Swallow;
        return FrameKeyAction::ForwardToOwner;
    }

    if (IsSysCommand(in.message, in.wParam, kScClose)) return FrameKeyAction::ArmWebBoxSweep;
    return FrameKeyAction::PassOn;
}
