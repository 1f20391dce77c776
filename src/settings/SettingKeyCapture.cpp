#include "settings/SettingKeyCapture.h"

namespace {
constexpr int32_t kVkBack = 8, kVkEnter = 13, kVkAlt = 18, kVkEsc = 27, kVkDel = 46, kVkLWin = 91,
                  kVkRWin = 92, kVkF10 = 121, kVkF12 = 123;

const wchar_t* const kNoHotkey = L"\u65E0";

bool ClearsField(int32_t vk, HotkeyId field) {
    if (vk == kVkBack || vk == kVkDel || vk == kVkLWin || vk == kVkRWin) return true;
    // In the switch field F12 is only a key the field refuses; the screenshot
    // field takes it as its key.
    return vk == kVkF12 && (field == HotkeyId::Boss || field == HotkeyId::Sound);
}
}  // namespace

KeyCapture CaptureKey(KeyMessage message, int32_t vk, int32_t modifiers, std::optional<HotkeyId> focused) {
    KeyCapture capture;
    // Alt turns every other key into a system key; only F10 (which is always
    // one) and Alt itself are taken from those, the rest keep their meaning
    // for the dialog manager.
    const bool considered =
        message == KeyMessage::KeyDown || (message == KeyMessage::SysKeyDown && (vk == kVkF10 || vk == kVkAlt));
    if (!considered) return capture;
    // The dialog must stay open while the player tries keys.
    if (vk == kVkEnter || vk == kVkEsc) {
        capture.swallowed = true;
        return capture;
    }
    if (!focused) return capture;

    capture.swallowed = true;
    if (ClearsField(vk, *focused)) {
        capture.text = kNoHotkey;
        return capture;
    }
    const bool assignable = IsAssignableKey(vk, *focused);
    if (assignable) capture.rememberedVk = vk;
    // A key without a name adds nothing after the modifier words, so a
    // refused key leaves just the modifiers held (or nothing).
    HotkeyRecord shown;
    shown.vk = assignable ? vk : -1;
    shown.modifiers = modifiers;
    capture.text = FormatHotkey(shown);
    return capture;
}
