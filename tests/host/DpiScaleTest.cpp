#include <gtest/gtest.h>

#include "engine/PageDpi.h"
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

// A page keeps its 96-DPI host flags at 96 DPI and is zoomed above it; a
// repaint of a CSS rectangle covers every device pixel the rectangle touches.
TEST(DpiScale, PagesAreZoomedOnlyAboveTheBaseAndRepaintsCoverWholePixels) {
    const unsigned long flags = 0xC;
    EXPECT_EQ(HostFlagsAtScale(flags, DpiScale()), flags);
    EXPECT_EQ(HostFlagsAtScale(flags, DpiScale(144)), flags | kHostFlagDpiAware);
    EXPECT_EQ(PageZoomPercent(DpiScale()), 100);
    EXPECT_EQ(PageZoomPercent(DpiScale(120)), 125);
    EXPECT_EQ(PageZoomPercent(DpiScale(144)), 150);
    EXPECT_EQ(DeviceRectOfCss(Rect{0, 0, 96, 96}, 125), (Rect{0, 0, 120, 120}));
    EXPECT_EQ(DeviceRectOfCss(Rect{0, 0, 96, 96}, PageZoomPercent(DpiScale(168))), (Rect{0, 0, 168, 168}));
    // A new document: the system's zoom once the host says it is DPI aware,
    // none on a window at the base scale, whatever the system's.
    EXPECT_EQ(DocumentDefaultZoom(DpiScale(120), DpiScale(144)), 150);
    EXPECT_EQ(DocumentDefaultZoom(DpiScale(), DpiScale(144)), 100);
    EXPECT_EQ(DeviceRectOfCss(Rect{3, 5, 7, 9}, 100), (Rect{3, 5, 7, 9}));
    // 1.5 x: 1 -> 1.5, 3 -> 4.5: the pixels 1..4 are touched.
    EXPECT_EQ(DeviceRectOfCss(Rect{1, 1, 3, 3}, 150), (Rect{1, 1, 5, 5}));
    EXPECT_EQ(DeviceRectOfCss(Rect{-1, 0, 1, 2}, 125), (Rect{-2, 0, 2, 3}));
    // The mouse back in CSS pixels: device 0..2 show CSS 0 and 1 at 1.5 x.
    EXPECT_EQ(CssOfDevice(1, 150), 0);
    EXPECT_EQ(CssOfDevice(2, 150), 1);
    EXPECT_EQ(CssOfDevice(1437, 150), 958);
    EXPECT_EQ(CssLengthCovering(1437, 150), 958);
    EXPECT_EQ(CssLengthCovering(1438, 150), 959);
    EXPECT_EQ(CssLengthCovering(1438, 100), 1438);
}
