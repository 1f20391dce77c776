#include "settings/SettingSaveRules.h"

namespace {
bool SameHotkey(const HotkeyRecord& a, const HotkeyRecord& b) {
    return a.vk == b.vk && a.modifiers == b.modifiers;
}
}  // namespace

bool IsCompleteHotkeyText(const std::wstring& text) { return !text.empty() && text.back() != L' '; }

HotkeyRecord HotkeyAfterSaving(const HotkeyField& field) {
    if (!IsCompleteHotkeyText(field.text)) return field.loaded;
    return HotkeyFromDisplayText(field.text, field.rememberedVk);
}

bool HotkeysConflict(const HotkeyFields& fields) {
    // Compared as they will be stored rather than as shown: a field left out
    // keeps its old key, which another field may just have taken.
    HotkeyRecord after[3];
    for (size_t i = 0; i < 3; ++i) after[i] = HotkeyAfterSaving(fields[i]);
    return SameHotkey(after[0], after[1]) || SameHotkey(after[0], after[2]) || SameHotkey(after[1], after[2]);
}

std::vector<HotkeyWrite> HotkeyWrites(const HotkeyFields& fields) {
    std::vector<HotkeyWrite> writes;
    for (size_t i = 0; i < 3; ++i) {
        if (!IsCompleteHotkeyText(fields[i].text)) continue;
        writes.push_back({kHotkeyFieldOrder[i], HotkeyToText(HotkeyFromDisplayText(fields[i].text, fields[i].rememberedVk))});
    }
    return writes;
}

bool IsLauncherInstanceWindow(const std::wstring& className, const std::wstring& title) {
    return className == L"#32770" && title == L"KorvelFerrowind";
}
