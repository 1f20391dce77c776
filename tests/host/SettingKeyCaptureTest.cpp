#include "settings/SettingKeyCapture.h"

#include <gtest/gtest.h>

namespace {
const std::wstring kNone = L"\u65E0";
constexpr int32_t kCtrlShift = kModCtrl | kModShift;

KeyCapture Down(int32_t vk, int32_t modifiers, std::optional<HotkeyId> field) {
    return CaptureKey(KeyMessage::KeyDown, vk, modifiers, field);
}

// Swallowed, showing `text`, remembering `vk` (nullopt: the old key stays).
void ExpectShown(const KeyCapture& capture, const std::wstring& text, std::optional<int32_t> vk) {
    EXPECT_TRUE(capture.swallowed);
    ASSERT_TRUE(capture.text.has_value());
    EXPECT_EQ(*capture.text, text);
    EXPECT_EQ(capture.rememberedVk, vk);
}

void ExpectPassedOn(const KeyCapture& capture) {
    EXPECT_FALSE(capture.swallowed);
    EXPECT_FALSE(capture.text.has_value());
    EXPECT_FALSE(capture.rememberedVk.has_value());
}
}  // namespace

TEST(SettingKeyCapture, AssignableKeyShowsTheModifiersHeldThenItsName) {
    ExpectShown(Down('A', kCtrlShift, HotkeyId::Boss), L"Ctrl  +  Shift  +  A", 65);
    ExpectShown(Down(101, kModCtrl | kModAlt, HotkeyId::Sound), L"Ctrl  +  Alt  +  Num 5", 101);
    ExpectShown(Down(187, 0, HotkeyId::Switch), L"+", 187);
    ExpectShown(Down(122, kModShift, HotkeyId::Switch), L"Shift  +  F11", 122);
}

TEST(SettingKeyCapture, RefusedKeyLeavesOnlyTheModifiersAndTheOldKey) {
    ExpectShown(Down(17, kModCtrl, HotkeyId::Boss), L"Ctrl  +  ", std::nullopt);
    ExpectShown(Down(' ', kModShift, HotkeyId::Sound), L"Shift  +  ", std::nullopt);
    ExpectShown(Down(145, 0, HotkeyId::Boss), L"", std::nullopt);
    // Tab belongs to the switch field only.
    ExpectShown(Down(9, kModCtrl, HotkeyId::Switch), L"Ctrl  +  Tab", 9);
    ExpectShown(Down(9, kModCtrl, HotkeyId::Boss), L"Ctrl  +  ", std::nullopt);
    ExpectShown(Down(9, 0, HotkeyId::Sound), L"", std::nullopt);
}

TEST(SettingKeyCapture, ClearingKeysShowNoneAndKeepTheOldKey) {
    for (HotkeyId field : kHotkeyIds)
        for (int32_t vk : {8, 46, 91, 92}) ExpectShown(Down(vk, kModCtrl, field), kNone, std::nullopt);
    ExpectShown(Down(123, kModCtrl, HotkeyId::Boss), kNone, std::nullopt);
    ExpectShown(Down(123, 0, HotkeyId::Sound), kNone, std::nullopt);
    // F12 does not clear the switch field, nor can it be its key; the screenshot field's it is.
    ExpectShown(Down(123, kModCtrl, HotkeyId::Switch), L"Ctrl  +  ", std::nullopt);
    ExpectShown(Down(123, 0, HotkeyId::Shot), L"F12", 123);
    ExpectShown(Down(123, kModShift, HotkeyId::Shot), L"Shift  +  F12", 123);
}

TEST(SettingKeyCapture, EnterAndEscapeAreSwallowedWithoutChangingAnything) {
    for (int32_t vk : {13, 27})
        for (std::optional<HotkeyId> field : {std::optional<HotkeyId>(), std::optional<HotkeyId>(HotkeyId::Boss)}) {
            const KeyCapture capture = Down(vk, 0, field);
            EXPECT_TRUE(capture.swallowed);
            EXPECT_FALSE(capture.text.has_value());
            EXPECT_FALSE(capture.rememberedVk.has_value());
        }
}

TEST(SettingKeyCapture, OnlyF10AndAltAreTakenFromSystemKeys) {
    ExpectShown(CaptureKey(KeyMessage::SysKeyDown, 121, 0, HotkeyId::Boss), L"F10", 121);
    ExpectShown(CaptureKey(KeyMessage::SysKeyDown, 18, kModAlt, HotkeyId::Switch), L"Alt  +  ", std::nullopt);
    ExpectShown(CaptureKey(KeyMessage::SysKeyDown, 18, kModAlt | kModShift, HotkeyId::Sound), L"Shift  +  Alt  +  ",
                std::nullopt);
    // Alt with another key stays the dialog manager's (mnemonics, Alt+F4).
    ExpectPassedOn(CaptureKey(KeyMessage::SysKeyDown, 'A', kModAlt, HotkeyId::Boss));
    ExpectPassedOn(CaptureKey(KeyMessage::SysKeyDown, 115, kModAlt, HotkeyId::Boss));
    ExpectPassedOn(CaptureKey(KeyMessage::SysKeyDown, 13, kModAlt, HotkeyId::Boss));
    ExpectPassedOn(CaptureKey(KeyMessage::Other, 'A', 0, HotkeyId::Boss));
}

TEST(SettingKeyCapture, KeysOutsideTheFieldsGoToTheDialog) {
    for (int32_t vk : {9, 65, 121, 8, 32}) ExpectPassedOn(Down(vk, 0, std::nullopt));
    ExpectPassedOn(CaptureKey(KeyMessage::SysKeyDown, 121, 0, std::nullopt));
}
