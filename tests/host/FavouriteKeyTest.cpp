// Ctrl+D as the favourites key: only the D key's own first press without Alt.
#include "browser/FrameKeys.h"

#include <gtest/gtest.h>

namespace {
constexpr unsigned kChar = 0x102;
FrameKeyAction DecideChar(uintptr_t ch, uint32_t lParam) {
    FrameKeyInput in;
    in.message = kChar;
    in.wParam = ch;
    in.lParam = static_cast<intptr_t>(static_cast<int32_t>(lParam));
    return DecideFrameKey(in, FrameHotkeys{});
}
}  // namespace

TEST(FavouriteKey, AltControlOrAnExtendedKeyOpensNothing) {
    EXPECT_EQ(DecideChar(4, 0x00200001), FrameKeyAction::AddFavourite);
    EXPECT_EQ(DecideChar(4, 0x20200001), FrameKeyAction::PassOn) << "Alt held (context code)";
    EXPECT_EQ(DecideChar(4, 0x01200001), FrameKeyAction::PassOn) << "extended key";
    EXPECT_EQ(DecideChar(4, 0x80200001), FrameKeyAction::PassOn) << "a release";
    EXPECT_EQ(DecideChar(4, 0x60200001), FrameKeyAction::PassOn) << "Alt and repeat";
}
