#include "gamewnd/ShotNames.h"

#include <gtest/gtest.h>

TEST(ShotNames, CaptionThenZeroPaddedTimeThenCounterWithoutForbiddenCharacters) {
    const ShotTime time{2024, 3, 7, 9, 5, 1};
    EXPECT_EQ(ShotFileName(L"12服-青龙-lucky", time, 1), L"12服-青龙-lucky-20240307-090501.png");
    EXPECT_EQ(ShotFileName(L"12服-青龙-lucky", time, 2), L"12服-青龙-lucky-20240307-090501 (2).png");
    EXPECT_EQ(ShotFileName(L"", time, 1), L"Ferrowind-20240307-090501.png") << "a page without a caption";
    EXPECT_EQ(FileNamePart(L"..\\a<b>c:d\"e/f|g?h*i\tj\x1F 服 [1] ."), L".._a_b_c_d_e_f_g_h_i_j_ 服 [1] .");
    // Cut to its length, never between the two halves of a character.
    EXPECT_EQ(FileNamePart(std::wstring(kMaxCaptionChars - 1, L'x') + L"\xD83D\xDE00"),
              std::wstring(kMaxCaptionChars - 1, L'x'));
}
