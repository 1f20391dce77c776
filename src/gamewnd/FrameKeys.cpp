#include "gamewnd/FrameKeys.h"

#include "base/WindowMessages.h"
#include "hotkey/KeyMessages.h"

using namespace keymsg;

namespace {
constexpr unsigned kMouseWheel = 0x20A;  // WM_MOUSEWHEEL
constexpr uintptr_t kWheelCtrl = 0x8;    // MK_CONTROL, in the low word of its wParam
constexpr int kWheelNotch = 120;         // WHEEL_DELTA

// A hotkey that the keyboard hook acts on wherever the focus is.
bool IsGlobalHotkey(const FrameKeyInput& in, const HotkeySet& keys) {
    for (HotkeyId id : kHotkeyIds)
        if (ActsWhereverTheFocusIs(id) && IsHotkeyPress(in.message, in.wParam, in.lParam, in.modifierState, keys[id]))
            return true;
    return false;
}

// Ctrl with plus, minus or 0 (Shift as it may be: "+" is Shift and "=" on
// many layouts); with Alt it is AltGr, which types characters.
FrameKeyAction ZoomKeyAction(const FrameKeyInput& in) {
    if (in.message != kKeyDown || (in.modifierState & kModCtrl) == 0 || (in.modifierState & kModAlt) != 0)
        return FrameKeyAction::PassOn;
    switch (in.wParam) {
    case 0xBB:  // VK_OEM_PLUS: the "+" key of every layout ("=" and "+" on many)
    case 0x6B:  // VK_ADD
        return FrameKeyAction::ZoomIn;
    case 0xBD:  // VK_OEM_MINUS
    case 0x6D:  // VK_SUBTRACT
        return FrameKeyAction::ZoomOut;
    case '0':
    case 0x60:  // VK_NUMPAD0
        return FrameKeyAction::ZoomActualSize;
    default:
        return FrameKeyAction::PassOn;
    }
}

int WheelDelta(uintptr_t wParam) { return static_cast<int16_t>(static_cast<uint16_t>(wParam >> 16)); }
}  // namespace

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

    const FrameKeyAction zoom = ZoomKeyAction(in);
    if (zoom != FrameKeyAction::PassOn) {
        // A boss or sound key on a zoom key does its own work only.
        return IsGlobalHotkey(in, keys) ? FrameKeyAction::Swallow : zoom;
    }
    // The wheel message carries the keys held when it turned.
    if (in.message == kMouseWheel && (in.wParam & kWheelCtrl) != 0 && WheelDelta(in.wParam) != 0)
        return FrameKeyAction::ZoomWheel;

    if (IsSysCommand(in.message, in.wParam, kScClose)) return FrameKeyAction::ArmWebBoxSweep;
    return FrameKeyAction::PassOn;
}

int WheelNotches::Add(int delta) {
    if ((delta < 0) != (m_carried < 0)) m_carried = 0;
    m_carried += delta;
    const int notches = m_carried / kWheelNotch;
    m_carried -= notches * kWheelNotch;
    return notches;
}
