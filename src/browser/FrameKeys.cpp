#include "browser/FrameKeys.h"

namespace {
constexpr unsigned kKeyDown = 0x100;     // WM_KEYDOWN
constexpr unsigned kChar = 0x102;        // WM_CHAR
constexpr unsigned kSysKeyDown = 0x104;  // WM_SYSKEYDOWN
constexpr unsigned kSysCommand = 0x112;  // WM_SYSCOMMAND
constexpr unsigned kScClose = 0xF060;
constexpr uintptr_t kVkF5 = 0x74;
constexpr uintptr_t kCtrlD = 4;               // the character Ctrl+D types
constexpr uint32_t kDKeyNoFlags = 0x200000;   // scan code of D, no flag bits
constexpr intptr_t kSystemMarker = 5813;      // made by the launcher, not typed

bool IsPlainF5(const HotkeyRecord& r) { return r.vk == static_cast<int32_t>(kVkF5) && r.modifiers == 0; }
}  // namespace

FrameKeyAction DecideFrameKey(const FrameKeyInput& in, const FrameHotkeys& keys) {
    const bool keyDown = in.message == kKeyDown || in.message == kSysKeyDown;
    if (keyDown && in.lParam != kSystemMarker &&
        MatchesHotkey(keys.switchKey, static_cast<int32_t>(in.wParam), in.modifierState))
        return FrameKeyAction::ForwardToOwner;

    // The repeat count (low word) does not matter; the scan code does, so a
    // character 4 typed some other way is no request.
    if (in.message == kChar && (in.wParam & 0xFFFF) == kCtrlD &&
        (static_cast<uint32_t>(in.lParam) & 0xFFFF0000u) == kDKeyNoFlags)
        return FrameKeyAction::AddFavourite;

    if (in.message == kKeyDown && in.wParam == kVkF5) {
        // A plain F5 that is a hotkey belongs to the hook; only the menus'
        // marked F5 refreshes then.
        const bool f5IsAHotkey = IsPlainF5(keys.boss) || IsPlainF5(keys.sound);
        if (f5IsAHotkey && in.lParam != kSystemMarker) return FrameKeyAction::Swallow;
        return FrameKeyAction::Refresh;
    }

    if (in.message == kSysCommand && (in.wParam & 0xFFF0) == kScClose) return FrameKeyAction::ArmWebBoxSweep;
    return FrameKeyAction::PassOn;
}
