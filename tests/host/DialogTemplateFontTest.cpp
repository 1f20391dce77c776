#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/DialogTemplateFont.h"

namespace {
// A template built field by field, as the resource compiler lays it out.
struct Bytes {
    std::vector<uint8_t> v;
    Bytes& W(uint16_t w) { v.push_back(w & 0xFF); v.push_back(w >> 8); return *this; }
    Bytes& D(uint32_t d) { return W(d & 0xFFFF).W(d >> 16); }
    Bytes& S(const std::u16string& s) { for (char16_t c : s) W(c); return W(0); }
    std::optional<int> Points() const { return DialogTemplatePointSize(v.data(), v.size()); }
};
}  // namespace

// The points come after the menu, class and title, whichever form each takes;
// a template without DS_SETFONT, or one cut short, gives none.
TEST(DialogTemplateFont, PointsFollowTheNamesInBothLayouts) {
    const uint32_t setFont = 0x40 | 0x80000000;
    Bytes ex;
    ex.W(1).W(0xFFFF).D(0).D(0).D(setFont).W(5).W(0).W(0).W(389).W(246);
    ex.W(0xFFFF).W(7).S(u"MyClass").S(u"标题").W(9).W(400).W(0).S(u"MS Shell Dlg");
    EXPECT_EQ(ex.Points(), 9);

    Bytes classic;
    classic.D(setFont).D(0).W(0).W(0).W(0).W(316).W(183).W(0).W(0).S(u"").W(8).S(u"MS Shell Dlg");
    EXPECT_EQ(classic.Points(), 8);

    Bytes noFont;
    noFont.W(1).W(0xFFFF).D(0).D(0).D(0x80000000).W(0).W(0).W(0).W(10).W(10).W(0).W(0).S(u"").W(9);
    EXPECT_EQ(noFont.Points(), std::nullopt);
    for (size_t cut : {size_t{0}, size_t{3}, ex.v.size() - 33})
        EXPECT_EQ(DialogTemplatePointSize(ex.v.data(), cut), std::nullopt) << cut;
    EXPECT_EQ(DialogTemplatePointSize(nullptr, 0), std::nullopt);
}
