#include "hotkey/HotkeyModel.h"

#include <gtest/gtest.h>

#include <climits>

namespace {
const std::wstring kNone = L"\u65E0";

HotkeyRecord Record(int32_t modifiers, int32_t vk) {
    HotkeyRecord record;
    record.modifiers = modifiers;
    record.vk = vk;
    return record;
}

void ExpectRecord(const HotkeyRecord& record, int32_t modifiers, int32_t vk) {
    EXPECT_EQ(record.modifiers, modifiers);
    EXPECT_EQ(record.vk, vk);
}
}  // namespace

TEST(HotkeyModel, DefaultsLoadAsF10CtrlTabCtrlQAndF12) {
    EXPECT_STREQ(HotkeyIniKey(HotkeyId::Boss), L"ShortKey");
    EXPECT_STREQ(HotkeyIniKey(HotkeyId::Switch), L"AltWndKey");
    EXPECT_STREQ(HotkeyIniKey(HotkeyId::Sound), L"SndKey");
    EXPECT_STREQ(HotkeyIniKey(HotkeyId::Shot), L"ShotKey");
    ExpectRecord(ParseHotkeyText(HotkeyDefaultText(HotkeyId::Shot)), 0, 123);
    EXPECT_EQ(FormatHotkey(ParseHotkeyText(HotkeyDefaultText(HotkeyId::Boss))), L"F10");
    EXPECT_EQ(FormatHotkey(ParseHotkeyText(HotkeyDefaultText(HotkeyId::Switch))), L"Ctrl  +  Tab");
    EXPECT_EQ(FormatHotkey(ParseHotkeyText(HotkeyDefaultText(HotkeyId::Sound))), L"Ctrl  +  Q");
    ExpectRecord(ParseHotkeyText(HotkeyDefaultText(HotkeyId::Sound)), kModCtrl, 81);
}

TEST(HotkeyModel, ZeroKeyIsNoHotkeyWhateverTheModifiers) {
    const HotkeyRecord none = ParseHotkeyText(L"0,0");
    ExpectRecord(none, 0, 0);
    EXPECT_EQ(FormatHotkey(none), kNone);
    EXPECT_FALSE(MatchesHotkey(none, 0, 0));
    EXPECT_EQ(FormatHotkey(Record(kModCtrl, 0)), kNone);
    ExpectRecord(ParseHotkeyText(L"4"), 4, 0);
    ExpectRecord(ParseHotkeyText(L""), 0, 0);
}

TEST(HotkeyModel, UnnamedKeyShowsOnlyItsModifiersButStillMatches) {
    const HotkeyRecord record = ParseHotkeyText(L"2,200");
    ExpectRecord(record, kModCtrl, 200);
    EXPECT_EQ(FormatHotkey(record), L"Ctrl  +  ");
    EXPECT_TRUE(MatchesHotkey(record, 200, ModifierState(true, false, false)));
    EXPECT_FALSE(MatchesHotkey(record, 200, ModifierState(false, false, false)));
    EXPECT_FALSE(MatchesHotkey(record, 201, ModifierState(true, false, false)));
    EXPECT_EQ(FormatHotkey(ParseHotkeyText(L"2,-5")), L"Ctrl  +  ");
    EXPECT_EQ(FormatHotkey(HotkeyRecord()), L"Ctrl  +  Shift  +  Alt  +  ");
}

TEST(HotkeyModel, ModifiersShowInCtrlShiftAltOrder) {
    const HotkeyRecord record = ParseHotkeyText(L"6,65");
    EXPECT_EQ(FormatHotkey(record), L"Ctrl  +  Shift  +  A");
    EXPECT_TRUE(MatchesHotkey(record, 65, ModifierState(true, true, false)));
    EXPECT_FALSE(MatchesHotkey(record, 65, ModifierState(true, true, true)));
    EXPECT_FALSE(MatchesHotkey(record, 65, ModifierState(true, false, false)));
    EXPECT_EQ(FormatHotkey(Record(kModCtrl | kModShift, 101)), L"Ctrl  +  Shift  +  Num 5");
    EXPECT_EQ(FormatHotkey(Record(7, 121)), L"Ctrl  +  Shift  +  Alt  +  F10");
}

TEST(HotkeyModel, DisplayTextReadsBackModifiersAndRememberedKey) {
    ExpectRecord(HotkeyFromDisplayText(FormatHotkey(Record(kModCtrl | kModAlt, 121)), 121), 3, 121);
    ExpectRecord(HotkeyFromDisplayText(kNone, 121), 0, 0);
    ExpectRecord(HotkeyFromDisplayText(L"ctrl  +  F10", 121), 0, 121);
}

TEST(HotkeyModel, ParsingIsLenient) {
    ExpectRecord(ParseHotkeyText(L" 2 , 81"), 2, 81);
    ExpectRecord(ParseHotkeyText(L"x,y"), 0, 0);
    ExpectRecord(ParseHotkeyText(L",81"), 0, 81);
    ExpectRecord(ParseHotkeyText(L"2,81,5"), 2, 81);
    ExpectRecord(ParseHotkeyText(L"-3,-81"), -3, -81);
    ExpectRecord(ParseHotkeyText(L"99999999999,-99999999999"), INT_MAX, INT_MIN);
}

TEST(HotkeyModel, OnlyThirtyOneCharactersOfTheKeyPartCount) {
    ExpectRecord(ParseHotkeyText(L"2," + std::wstring(29, L' ') + L"81"), 2, 81);
    ExpectRecord(ParseHotkeyText(L"2," + std::wstring(30, L' ') + L"81"), 2, 8);
    ExpectRecord(ParseHotkeyText(std::wstring(100, L' ') + L"2,81" + std::wstring(100, L'z')), 2, 81);
}

TEST(HotkeyModel, KeyNames) {
    EXPECT_EQ(GetKeyName(48), L"0");
    EXPECT_EQ(GetKeyName(57), L"9");
    EXPECT_EQ(GetKeyName(65), L"A");
    EXPECT_EQ(GetKeyName(90), L"Z");
    EXPECT_EQ(GetKeyName(96), L"Num 0");
    EXPECT_EQ(GetKeyName(105), L"Num 9");
    EXPECT_EQ(GetKeyName(112), L"F1");
    EXPECT_EQ(GetKeyName(123), L"F12");
    EXPECT_EQ(GetKeyName(110), L"Num Del");
    EXPECT_EQ(GetKeyName(187), L"+");
    EXPECT_EQ(GetKeyName(220), L"\\");
    EXPECT_EQ(GetKeyName(19), L"Pause Break");
    EXPECT_EQ(GetKeyName(145), L"Scroll Lock");
    for (int32_t unnamed : {-1, 0, 32, 47, 58, 64, 93, 108, 124, 185, 193, 218, 223, 256})
        EXPECT_EQ(GetKeyName(unnamed), L"") << unnamed;
    for (int32_t vk = 0; vk < 256; ++vk) EXPECT_LE(GetKeyName(vk).size(), 15u) << vk;
}

TEST(HotkeyModel, AssignableKeys) {
    for (int32_t vk : {20, 33, 40, 45, 48, 57, 65, 90, 96, 107, 109, 111, 112, 122, 144, 186, 192,
                       219, 222})
        EXPECT_TRUE(IsAssignableKey(vk, HotkeyId::Boss)) << vk;
    for (int32_t vk : {0, 8, 13, 16, 17, 18, 19, 27, 32, 41, 46, 91, 92, 108, 123, 145, 193, 218})
        EXPECT_FALSE(IsAssignableKey(vk, HotkeyId::Switch)) << vk;
    // Tab only for the switch key, F12 only for the screenshot key.
    for (HotkeyId field : kHotkeyIds)
        EXPECT_TRUE(IsAssignableKey(9, field) == (field == HotkeyId::Switch) &&
                    IsAssignableKey(123, field) == (field == HotkeyId::Shot));
}

TEST(HotkeyModel, EveryAssignableHotkeySurvivesStorageAndTheDialog) {
    for (int32_t vk = 0; vk < 256; ++vk) {
        if (!IsAssignableKey(vk, HotkeyId::Switch) && !IsAssignableKey(vk, HotkeyId::Shot)) continue;
        EXPECT_FALSE(GetKeyName(vk).empty()) << vk;
        for (int32_t modifiers = 0; modifiers < 8; ++modifiers) {
            const HotkeyRecord record = Record(modifiers, vk);
            ExpectRecord(ParseHotkeyText(HotkeyToText(record)), modifiers, vk);
            ExpectRecord(HotkeyFromDisplayText(FormatHotkey(record), vk), modifiers, vk);
        }
    }
    EXPECT_EQ(HotkeyToText(Record(kModCtrl, 81)), L"2,81");
    ExpectRecord(ParseHotkeyText(HotkeyToText(Record(INT_MIN, INT_MAX))), INT_MIN, INT_MAX);
}
