#include <gtest/gtest.h>

#include "ui/DpiScale.h"

// At 96 DPI nothing moves; above it edges scale to the nearest pixel, so
// pieces that meet at 96 DPI meet at every DPI.
TEST(DpiScale, EdgesScaleToTheNearestPixelAndNeighboursStillMeet) {
    const DpiScale base, at120(120), at144(144), at192(192);
    for (int v : {0, 1, 3, 13, 30, 189, -4, 1000}) EXPECT_EQ(base.Px(v), v);
    EXPECT_EQ(at120.Px(3), 4);   // 3.75
    EXPECT_EQ(at120.Px(2), 3);   // 2.5, away from zero
    EXPECT_EQ(at120.Px(-2), -3);
    EXPECT_EQ(at144.Px(13), 20);  // 19.5
    EXPECT_EQ(at144.Px(189), 284);  // 283.5
    EXPECT_EQ(at192.Px(189), 378);
    EXPECT_EQ(DpiScale(72).dpi(), 96) << "below 96 DPI the 96-DPI sizes stay";

    // Tabs of 189 side by side: each ends where the next begins.
    for (const DpiScale& s : {at120, at144, at192}) {
        for (int i = 0; i < 3; ++i) {
            const Rect tab = s.Of(Rect{120 + 189 * i, 3, 309 + 189 * i, 25});
            const Rect next = s.Of(Rect{309 + 189 * i, 3, 498 + 189 * i, 25});
            EXPECT_EQ(tab.right, next.left) << s.dpi();
        }
    }
    EXPECT_EQ(at144.Unscale(at144.Px(260)), 260);
    EXPECT_EQ(base.FontHeight(9), -12);
    EXPECT_EQ(at144.FontHeight(9), -18);
    EXPECT_EQ(at120.FontHeight(9), -15);
}
