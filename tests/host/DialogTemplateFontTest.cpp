#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/DialogTemplateFont.h"

// The points follow the menu, class and title in either template layout; a
// template without DS_SETFONT, or one cut short, gives none.
TEST(DialogTemplateFont, PointsFollowTheNamesInBothLayouts) {
    std::vector<uint8_t> v;
    auto w = [&](std::initializer_list<uint16_t> words) {
        for (uint16_t x : words) v.insert(v.end(), {uint8_t(x & 0xFF), uint8_t(x >> 8)});
    };
    auto points = [&] { return DialogTemplatePointSize(v.data(), v.size()); };
    w({1, 0xFFFF, 0, 0, 0, 0, 0x40, 0x8000, 5, 0, 0, 389, 246, 0xFFFF, 7, u'C', 0, u'标', 0, 9, 400, 0, u'M', 0});
    EXPECT_EQ(points(), 9);
    for (size_t cut : {size_t{0}, size_t{3}, v.size() - 9}) EXPECT_EQ(DialogTemplatePointSize(v.data(), cut), std::nullopt);
    v[12] = 0;  // no DS_SETFONT
    EXPECT_EQ(points(), std::nullopt);
    v.clear();
    w({0x40, 0x8000, 0, 0, 0, 0, 0, 316, 183, 0, 0, 0, 8, u'M', 0});  // the classic layout
    EXPECT_EQ(points(), 8);
}
