#include <gtest/gtest.h>

#include "engine/PageDpi.h"
#include "engine/PageZoomSteps.h"
#include "mainwnd/AccountZoomRules.h"

TEST(AccountZoom, StepsGoBothWaysAndStopAtTheEndsAndMultiplyTheDisplaysDpi) {
    std::vector<int> up = {50}, down = {200};
    while (up.size() < 12) up.push_back(SteppedZoom(up.back(), ZoomStep::In));
    while (down.size() < 12) down.insert(down.begin(), SteppedZoom(down.front(), ZoomStep::Out));
    EXPECT_EQ(up, (std::vector<int>{50, 67, 75, 80, 90, 100, 110, 125, 150, 175, 200, 200}));
    EXPECT_EQ(down, (std::vector<int>{50, 50, 67, 75, 80, 90, 100, 110, 125, 150, 175, 200}));
    EXPECT_EQ(SteppedZoom(175, ZoomStep::ActualSize), 100);
    EXPECT_EQ(SteppedZoom(130, ZoomStep::In), 150) << "from between two steps";
    EXPECT_EQ(SteppedZoom(130, ZoomStep::Out), 125);
    EXPECT_FALSE(ZoomStepOf(3)) << "no launcher sends it";
    EXPECT_EQ(TabTipText(L"12服-青龙-lucky", 100), L"12服-青龙-lucky");
    EXPECT_EQ(TabTipText(L"12服-青龙-lucky", 125), L"12服-青龙-lucky (125%)");

    // The zoom multiplies the display's; zoomed out, a page goes below 96 DPI.
    EXPECT_EQ(ZoomedPageDpi(144, 125), 180);
    EXPECT_EQ(ZoomedPageDpi(96, 10), 48) << "held within the steps";
    EXPECT_EQ(DpiScale::OfZoom(48).Px(20), 10);
    EXPECT_EQ(PageZoomPercent(DpiScale::OfZoom(ZoomedPageDpi(96, 67))), 67);
}
