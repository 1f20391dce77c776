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

    // The zoom multiplies the display's; zoomed out, a page goes below 100 %.
    EXPECT_EQ(ZoomedPagePercent(144, 125), 188);
    EXPECT_EQ(ZoomedPagePercent(96, 10), 50) << "held within the steps";
    EXPECT_EQ(DeviceRectOfCss(Rect{0, 0, 20, 20}, 50), (Rect{0, 0, 10, 10}));
    EXPECT_EQ(ZoomedPagePercent(96, 67), 67);
    EXPECT_EQ(ZoomedPagePercent(120, 67), 84) << "83.75, rounded once";
}
