#include "framework/PageEventTable.h"

#include <gtest/gtest.h>

namespace {
const PageEventRow kRows[] = {
    {true, -605, L"button"},  // 0
    {true, -607, L"button"},  // 1
    {false, -605, L"body"},   // 2
    {false, -606, L"body"},   // 3
    {false, -605, L"div"},    // 4
    {false, -606, L"div"},    // 5
};
int Find(long dispid, const wchar_t* cls, const wchar_t* tag) {
    return FindPageEventRow(kRows, sizeof(kRows) / sizeof(kRows[0]), dispid, cls, tag);
}
}  // namespace

TEST(PageEventTable, ClassMustMatchExactlyTagIgnoresCase) {
    EXPECT_EQ(Find(-605, L"button", L"SPAN"), 0);
    EXPECT_EQ(Find(-605, L"Button", L"span"), -1) << "class is case-sensitive";
    EXPECT_EQ(Find(-605, L"button big", L"span"), -1) << "a second class name spoils the match";
    EXPECT_EQ(Find(-605, L"", L"BODY"), 2);
    EXPECT_EQ(Find(-605, L"", L"Div"), 4);
    EXPECT_EQ(Find(-605, L"", L"divx"), -1);
    EXPECT_EQ(Find(-606, L"", L"span"), -1) << "no row for the span";
}

TEST(PageEventTable, FirstMatchingRowWinsAndEventsMustAgree) {
    // A "button" div: class rows come first for down, the tag row serves moves.
    EXPECT_EQ(Find(-605, L"button", L"DIV"), 0);
    EXPECT_EQ(Find(-607, L"button", L"DIV"), 1);
    EXPECT_EQ(Find(-606, L"button", L"DIV"), 5);
    EXPECT_EQ(Find(1023, L"button", L"DIV"), -1);
}
