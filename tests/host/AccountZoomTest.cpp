#include <gtest/gtest.h>

#include "engine/PageDpi.h"
#include "engine/PageZoomSteps.h"
#include "mainwnd/AccountZoomRules.h"

TEST(AccountZoom, StepsGoThroughTheListBothWaysAndStopAtItsEnds) {
    const std::vector<int> steps = {50, 67, 75, 80, 90, 100, 110, 125, 150, 175, 200};
    std::vector<int> up = {50}, down = {200};
    for (int i = 0; i < 11; ++i) up.push_back(SteppedZoom(up.back(), ZoomStep::In));
    for (int i = 0; i < 11; ++i) down.push_back(SteppedZoom(down.back(), ZoomStep::Out));
    up.pop_back();
    down.pop_back();
    EXPECT_EQ(up, steps);
    EXPECT_EQ(std::vector<int>(down.rbegin(), down.rend()), steps);
    EXPECT_EQ(SteppedZoom(200, ZoomStep::In), 200);
    EXPECT_EQ(SteppedZoom(50, ZoomStep::Out), 50);
    EXPECT_EQ(SteppedZoom(175, ZoomStep::ActualSize), 100);
    EXPECT_EQ(SteppedZoom(130, ZoomStep::In), 150) << "between two steps";
    EXPECT_EQ(SteppedZoom(130, ZoomStep::Out), 125);

    EXPECT_EQ(ZoomStepOf(0), ZoomStep::ActualSize);
    EXPECT_EQ(ZoomStepOf(1), ZoomStep::In);
    EXPECT_EQ(ZoomStepOf(2), ZoomStep::Out);
    EXPECT_FALSE(ZoomStepOf(3)) << "no launcher sends it";
}

// The player's zoom multiplies the display's; a page zoomed out goes below
// 96 DPI, which no display scale does.
TEST(AccountZoom, APageShowsAtTheDisplaysDpiTimesTheZoom) {
    EXPECT_EQ(ZoomedPageDpi(96, 100), 96);
    EXPECT_EQ(ZoomedPageDpi(96, 125), 120);
    EXPECT_EQ(ZoomedPageDpi(144, 125), 180);
    EXPECT_EQ(ZoomedPageDpi(96, 50), 48);
    EXPECT_EQ(ZoomedPageDpi(144, 67), 96);
    EXPECT_EQ(ZoomedPageDpi(96, 10), 48) << "held within the steps";
    EXPECT_EQ(ZoomedPageDpi(96, 1000), 192);
    const DpiScale half = DpiScale::OfZoom(48);
    EXPECT_EQ(half.dpi(), 48);
    EXPECT_EQ(DpiScale(48).dpi(), 96) << "a display's scale stays held";
    EXPECT_EQ(half.Px(20), 10);
    EXPECT_EQ(CssOfDevice(11, half), 22);
    EXPECT_EQ(PageZoomPercent(DpiScale::OfZoom(ZoomedPageDpi(96, 67))), 67);

    EXPECT_EQ(TabTipText(L"12服-青龙-lucky", 100), L"12服-青龙-lucky");
    EXPECT_EQ(TabTipText(L"12服-青龙-lucky", 125), L"12服-青龙-lucky (125%)");
}
