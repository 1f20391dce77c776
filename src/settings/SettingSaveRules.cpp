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
    HotkeySet after;
    for (HotkeyId id : kHotkeyIds) after[id] = HotkeyAfterSaving(fields[id]);
    for (size_t a = 0; a < kHotkeyCount; ++a)
        for (size_t b = a + 1; b < kHotkeyCount; ++b)
            if (SameHotkey(after[a], after[b])) return true;
    return false;
}

std::vector<HotkeyWrite> HotkeyWrites(const HotkeyFields& fields) {
    std::vector<HotkeyWrite> writes;
    for (HotkeyId id : kHotkeyIds) {
        const HotkeyField& field = fields[id];
        if (!IsCompleteHotkeyText(field.text)) continue;
        writes.push_back({id, HotkeyToText(HotkeyFromDisplayText(field.text, field.rememberedVk))});
    }
    return writes;
}

bool IsLauncherInstanceWindow(const std::wstring& className, const std::wstring& title) {
    return className == L"#32770" && title == L"KorvelFerrowind";
}
