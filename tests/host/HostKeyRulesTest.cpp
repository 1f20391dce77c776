#include <gtest/gtest.h>

#include "engine/ie/HostKeyRules.h"

using namespace ie;

namespace {
constexpr unsigned kKeyDown = 0x100, kKeyUp = 0x101, kChar = 0x102, kSysKeyDown = 0x104;
constexpr uintptr_t kBack = 0x08, kLeft = 0x25, kRight = 0x27, kBrowserBack = 0xA6, kBrowserForward = 0xA7;

bool Withheld(unsigned message, uintptr_t vk, bool ctrl, bool alt, bool inText = false) {
    return IsWithheldBrowserKey(HostKey{message, vk, ctrl, alt, false}, inText);
}
}  // namespace

TEST(HostKeyRules, WindowCommandsAndHistoryStayOffButFieldsKeepTheirKeys) {
    for (uintptr_t letter : {'N', 'O', 'L', 'P', 'F'}) {
        EXPECT_TRUE(Withheld(kKeyDown, letter, true, false)) << static_cast<char>(letter);
        EXPECT_FALSE(Withheld(kKeyDown, letter, true, true)) << "AltGr types " << static_cast<char>(letter);
        EXPECT_FALSE(Withheld(kKeyDown, letter, false, false)) << "typed " << static_cast<char>(letter);
    }
    for (uintptr_t clip : {'A', 'C', 'V', 'X', 'Z'}) EXPECT_FALSE(Withheld(kKeyDown, clip, true, false));
    // The browser's own zoom: pages are zoomed by the launcher alone.
    for (uintptr_t zoom : {0xBB, 0x6B, 0xBD, 0x6D, 0x30, 0x60}) {
        EXPECT_TRUE(Withheld(kKeyDown, zoom, true, false)) << zoom;
        EXPECT_FALSE(Withheld(kKeyDown, zoom, false, false)) << "typed " << zoom;
    }

    EXPECT_TRUE(Withheld(kKeyDown, kBack, false, false, false)) << "Backspace outside a field goes back";
    EXPECT_FALSE(Withheld(kKeyDown, kBack, false, false, true)) << "in a field it deletes";
    EXPECT_TRUE(Withheld(kSysKeyDown, kLeft, false, true, true));
    EXPECT_TRUE(Withheld(kSysKeyDown, kRight, false, true));
    EXPECT_FALSE(Withheld(kKeyDown, kLeft, false, false)) << "a plain arrow";
    EXPECT_TRUE(Withheld(kKeyDown, kBrowserBack, false, false, true));
    EXPECT_TRUE(Withheld(kKeyDown, kBrowserForward, false, false));
    EXPECT_FALSE(Withheld(kKeyUp, 'N', true, false)) << "only the press carries the command";
    EXPECT_FALSE(Withheld(kChar, kBack, false, false));
}

TEST(HostKeyRules, TextEntryIsWhatTakesTypedText) {
    EXPECT_TRUE(IsTextEntry(L"INPUT", L"", false));
    EXPECT_TRUE(IsTextEntry(L"input", L"Password", false));
    EXPECT_TRUE(IsTextEntry(L"INPUT", L"search", false));
    EXPECT_TRUE(IsTextEntry(L"TEXTAREA", L"", false));
    EXPECT_TRUE(IsTextEntry(L"DIV", L"", true));
    EXPECT_FALSE(IsTextEntry(L"INPUT", L"checkbox", false));
    EXPECT_FALSE(IsTextEntry(L"INPUT", L"SUBMIT", false));
    EXPECT_FALSE(IsTextEntry(L"BODY", L"", false));
    EXPECT_FALSE(IsTextEntry(L"A", L"text", false));
}
