#include "settings/SettingSaveRules.h"

#include <gtest/gtest.h>

namespace {
const std::wstring kNone = L"\u65E0";

HotkeyRecord Stored(int32_t modifiers, int32_t vk) {
    HotkeyRecord record;
    record.modifiers = modifiers;
    record.vk = vk;
    return record;
}

HotkeyField Field(const std::wstring& text, int32_t rememberedVk, HotkeyRecord loaded = Stored(0, 0)) {
    return HotkeyField{text, rememberedVk, loaded};
}

// As the dialog opens on the defaults: F10, Ctrl+Tab, Ctrl+Q, F12.
HotkeyFields Defaults() {
    return {Field(L"F10", 121, Stored(0, 121)), Field(L"Ctrl  +  Tab", 9, Stored(2, 9)),
            Field(L"Ctrl  +  Q", 81, Stored(2, 81)), Field(L"F12", 123, Stored(0, 123))};
}

std::vector<std::pair<HotkeyId, std::wstring>> Written(const HotkeyFields& fields) {
    std::vector<std::pair<HotkeyId, std::wstring>> out;
    for (const HotkeyWrite& w : HotkeyWrites(fields)) out.emplace_back(w.id, w.storedText);
    return out;
}
}  // namespace

TEST(SettingSave, EqualTextsInAnyTwoFieldsConflict) {
    EXPECT_FALSE(HotkeysConflict(Defaults()));
    for (size_t a = 0; a < kHotkeyCount; ++a)
        for (size_t b = a + 1; b < kHotkeyCount; ++b) {
            HotkeyFields same = Defaults();
            same[a] = Field(L"Ctrl  +  Shift  +  A", 65);
            same[b] = Field(L"Ctrl  +  Shift  +  A", 65);
            EXPECT_TRUE(HotkeysConflict(same)) << a << " " << b;
            HotkeyFields none = Defaults();
            none[a] = Field(kNone, 121);
            none[b] = Field(kNone, 9);
            EXPECT_TRUE(HotkeysConflict(none)) << "two fields without a key, " << a << " " << b;
        }
    HotkeyFields oneNone = Defaults();
    oneNone[1] = Field(kNone, 9, Stored(2, 9));
    EXPECT_FALSE(HotkeysConflict(oneNone));
    HotkeyFields otherModifiers = Defaults();
    otherModifiers[0] = Field(L"Ctrl  +  Shift  +  Q", 81);
    EXPECT_FALSE(HotkeysConflict(otherModifiers));
}

TEST(SettingSave, FieldLeftOutCollidesThroughTheKeyItKeeps) {
    // The boss field keeps F10 in the file; the sound field takes F10.
    HotkeyFields fields = Defaults();
    fields[0] = Field(L"Ctrl  +  ", 121, Stored(0, 121));
    fields[2] = Field(L"F10", 121, Stored(2, 81));
    EXPECT_TRUE(HotkeysConflict(fields));
    // Both left out on the same modifier, but each keeps a different key.
    HotkeyFields halfTyped = Defaults();
    halfTyped[0] = Field(L"Ctrl  +  ", 121, Stored(0, 121));
    halfTyped[1] = Field(L"Ctrl  +  ", 9, Stored(2, 9));
    EXPECT_FALSE(HotkeysConflict(halfTyped));
    EXPECT_TRUE(Written(halfTyped) == (std::vector<std::pair<HotkeyId, std::wstring>>{
                                         {HotkeyId::Sound, L"2,81"}, {HotkeyId::Shot, L"0,123"}}));
    halfTyped[3] = Field(L"F10", 121, Stored(0, 123));
    EXPECT_TRUE(HotkeysConflict(halfTyped)) << "the screenshot key takes the boss key's F10, which it keeps";
}

TEST(SettingSave, OnlyFieldsNamingAWholeHotkeyAreWritten) {
    HotkeyFields fields = Defaults();
    fields[0] = Field(L"Ctrl  +  Alt  +  F10", 121, Stored(0, 121));
    fields[1] = Field(L"Shift  +  ", 65, Stored(2, 9));
    fields[2] = Field(kNone, 81, Stored(2, 81));
    fields[3] = Field(L"Alt  +  ", 123, Stored(0, 123));
    EXPECT_TRUE(Written(fields) == (std::vector<std::pair<HotkeyId, std::wstring>>{
                                        {HotkeyId::Boss, L"3,121"}, {HotkeyId::Sound, L"0,0"}}));
    fields[0].text = L"";
    fields[2] = Field(L"Num /", 111, Stored(2, 81));
    EXPECT_TRUE(Written(fields) == (std::vector<std::pair<HotkeyId, std::wstring>>{{HotkeyId::Sound, L"0,111"}}));
    EXPECT_TRUE(Written(Defaults()) == (std::vector<std::pair<HotkeyId, std::wstring>>{
                                           {HotkeyId::Boss, L"0,121"}, {HotkeyId::Switch, L"2,9"},
                                           {HotkeyId::Sound, L"2,81"}, {HotkeyId::Shot, L"0,123"}}));
}

TEST(SettingSave, OnlyDialogsTitledExactlyLikeTheLauncherAreInstances) {
    EXPECT_TRUE(IsLauncherInstanceWindow(L"#32770", L"KorvelFerrowind"));
    EXPECT_FALSE(IsLauncherInstanceWindow(L"#32770", L"korvelferrowind"));
    EXPECT_FALSE(IsLauncherInstanceWindow(L"#32770", L"KorvelFerrowind "));
    EXPECT_FALSE(IsLauncherInstanceWindow(L"#32770", L"KorvelFerrowind - 设置"));
    EXPECT_FALSE(IsLauncherInstanceWindow(L"ZuvaWindow", L"KorvelFerrowind"));
}
