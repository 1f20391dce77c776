#include "ui/ControlLayout.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(MessageBoxLayout, WidthFollowsTheTextBeyondTheButtons) {
    EXPECT_EQ(MessageBoxWindowSize(100, 14, 1, 57, 23, DpiScale()).cx, 174);
    EXPECT_EQ(MessageBoxWindowSize(114, 14, 1, 57, 23, DpiScale()).cx, 174);
    // Wider texts keep their margins instead of touching the frame.
    EXPECT_EQ(MessageBoxWindowSize(115, 14, 1, 57, 23, DpiScale()).cx, 175);
    EXPECT_EQ(MessageBoxWindowSize(174, 14, 1, 57, 23, DpiScale()).cx, 234);
    EXPECT_EQ(MessageBoxWindowSize(200, 14, 1, 57, 23, DpiScale()).cx, 260);
    EXPECT_EQ(MessageBoxWindowSize(200, 42, 3, 57, 23, DpiScale()).cy, 42 + 9 + 90 + 23);
}

TEST(MessageBoxLayout, ButtonsAndAnswers) {
    MessageBoxButtons two = LayoutMessageBoxButtons(4, 260, 150, 57, 23, DpiScale());
    EXPECT_TRUE(two.hasSecond);
    EXPECT_EQ(two.first, (Rect{63, 97, 120, 120}));
    EXPECT_EQ(two.second, (Rect{140, 97, 197, 120}));
    EXPECT_EQ(LayoutMessageBoxButtons(1, 260, 150, 57, 23, DpiScale()).second, two.second);
    for (int type : {0, 2, 3, 5, -1}) {
        MessageBoxButtons one = LayoutMessageBoxButtons(type, 260, 150, 57, 23, DpiScale());
        EXPECT_FALSE(one.hasSecond);
        EXPECT_EQ(one.first, (Rect{101, 97, 158, 120}));
    }
    EXPECT_EQ(MessageBoxResult(4, 5000), 6);
    EXPECT_EQ(MessageBoxResult(4, 5001), 7);
    EXPECT_EQ(MessageBoxResult(1, 5000), 1);
    EXPECT_EQ(MessageBoxResult(1, 5001), 2);
    EXPECT_EQ(MessageBoxResult(0, 5000), 1);
}

// At every DPI: the buttons stay centred with the gap split evenly, and the
// text's last line ends above them.
TEST(MessageBoxLayout, ScaledBoxKeepsButtonsCentredBelowTheText) {
    for (int dpi : {96, 120, 144, 192}) {
        const DpiScale s(dpi);
        const int bw = s.Length(57), bh = s.Length(23);
        for (int textWidth : {40, 301}) {
            const int lines = 3, textHeight = 3 * s.Length(14);
            const Size box = MessageBoxWindowSize(textWidth, textHeight, lines, bw, bh, s);
            const MessageBoxButtons two = LayoutMessageBoxButtons(kBoxYesNo, box.cx, box.cy, bw, bh, s);
            EXPECT_LE(std::abs(two.first.left - (box.cx - two.second.right)), 1) << dpi;
            EXPECT_EQ(box.cx / 2 - two.first.right, two.second.left - box.cx / 2) << dpi;
            EXPECT_EQ(two.second.left - two.first.right, 2 * s.Length(10)) << dpi;
            EXPECT_EQ(box.cy - two.first.bottom, s.Length(30)) << dpi;
            const MessageBoxButtons one = LayoutMessageBoxButtons(kBoxOk, box.cx, box.cy, bw, bh, s);
            EXPECT_LE(std::abs(one.first.left - (box.cx - one.first.right)), 1) << dpi;
            const std::vector<Rect> text = MessageTextLineRects(box.cx, textWidth, textHeight, lines, s);
            EXPECT_EQ(text.front().top, s.Px(55)) << dpi;
            EXPECT_LE(text.back().bottom, two.first.top) << dpi;
        }
    }
}

TEST(MessageBoxLayout, LinesAreCentredAsABlockAndThreePixelsApart) {
    EXPECT_EQ(SplitLines(L"a\nbb\n"), (std::vector<std::wstring>{L"a", L"bb", L""}));
    EXPECT_EQ(SplitLines(L""), (std::vector<std::wstring>{L""}));
    auto rects = MessageTextLineRects(300, 120, 45, 3, DpiScale());
    ASSERT_EQ(rects.size(), 3u);
    EXPECT_EQ(rects[0], (Rect{90, 55, 210, 70}));
    EXPECT_EQ(rects[1], (Rect{90, 73, 210, 88}));
    EXPECT_EQ(rects[2], (Rect{90, 91, 210, 106}));
}

TEST(ProgressFill, KeepsBothEndCapsAtAnyLength) {
    ProgressFill empty = ComputeProgressFill(2, 386, 0, 100, 0);
    EXPECT_EQ(empty.filled, 0);
    EXPECT_EQ(empty.left.width + empty.right.width, 0);

    ProgressFill half = ComputeProgressFill(2, 386, 0, 100, 50);
    EXPECT_EQ(half.filled, 193);
    EXPECT_EQ(half.left.srcX, 0);
    EXPECT_EQ(half.left.dstX, 2);
    EXPECT_EQ(half.left.width, 96);
    EXPECT_EQ(half.right.srcX, 386 - 97) << "the right piece is the image's own right end";
    EXPECT_EQ(half.right.dstX, 2 + 96);
    EXPECT_EQ(half.right.width, 97);

    ProgressFill full = ComputeProgressFill(2, 386, 0, 100, 100);
    EXPECT_EQ(full.filled, 386);
    EXPECT_EQ(full.left.width + full.right.width, 386);
    EXPECT_EQ(full.right.srcX, 193);
    EXPECT_EQ(full.right.dstX + full.right.width, 2 + 386);

    EXPECT_EQ(ComputeProgressFill(0, 390, 0, 100, 33).filled, 128) << "truncated, not rounded";
}

TEST(ProgressFill, OddRangesDrawNothingOutsideTheBar) {
    EXPECT_EQ(ComputeProgressFill(0, 390, 5, 5, 5).filled, 0);
    EXPECT_EQ(ComputeProgressFill(0, 390, 0, 100, 250).filled, 390);
    EXPECT_EQ(ComputeProgressFill(0, 390, 0, 100, -5).filled, 0);
    EXPECT_EQ(ProgressPercentText(0, 100, 42), L"42%");
    EXPECT_EQ(ProgressPercentText(7, 7, 7), L"");
}

namespace {
// Every character is 12 pixels wide, as a CJK font draws them.
int Measure12(const std::wstring& s) { return static_cast<int>(s.size()) * 12; }
}  // namespace

TEST(LabelLines, ChineseBreaksBetweenAnyCharacters) {
    auto lines = BreakLabelLines(L"在当前窗口新增标签页点击是", 60, Measure12);
    EXPECT_EQ(lines, (std::vector<std::wstring>{L"在当前窗口", L"新增标签页", L"点击是"}));
    EXPECT_EQ(LabelHeightFor(static_cast<int>(lines.size()), 14, 3, DpiScale()), 14 + 2 * 17);
}

TEST(LabelLines, PictureInsetAndLineSpacingScale) {
    EXPECT_EQ(LabelPictureRect(Size{200, 30}, Size{16, 16}, false, DpiScale()), (Rect{3, 7, 19, 23}));
    EXPECT_EQ(LabelTextLeft(16, DpiScale()), 22);
    EXPECT_EQ(LabelTextLeft(0, DpiScale()), 0) << "no picture, no indent";
    // 144 DPI: the 3-pixel inset and spacing become 5 (4.5), the 6-pixel gap 9.
    const DpiScale s(144);
    EXPECT_EQ(LabelPictureRect(Size{200, 30}, Size{24, 24}, true, s), (Rect{171, 3, 195, 27}));
    EXPECT_EQ(LabelTextLeft(24, s), 33);
    EXPECT_EQ(LabelHeightFor(3, 21, 3, s), 21 + 2 * (21 + 5));
}

TEST(LabelLines, LineFeedsBreakAndCarriageReturnsVanish) {
    auto lines = BreakLabelLines(L"ab\r\ncd\n\nef", 100, Measure12);
    EXPECT_EQ(lines, (std::vector<std::wstring>{L"ab", L"cd", L"", L"ef"}));
    EXPECT_EQ(BreakLabelLines(L"", 100, Measure12), (std::vector<std::wstring>{L""}));
}

TEST(LabelLines, ACharacterWiderThanTheLineStandsAlone) {
    auto lines = BreakLabelLines(L"abc", 5, Measure12);
    EXPECT_EQ(lines, (std::vector<std::wstring>{L"a", L"b", L"c"}));
}

TEST(ButtonFrame, PressStaysUntilReleaseAndDisabledWins) {
    bool sticky = false;
    EXPECT_EQ(ChooseButtonFrame(false, false, false, sticky), 0);
    EXPECT_EQ(ChooseButtonFrame(false, false, true, sticky), 1);
    EXPECT_EQ(ChooseButtonFrame(false, true, true, sticky), 2);
    EXPECT_TRUE(sticky);
    // Slid off the button with the mouse button still down: still pressed.
    EXPECT_EQ(ChooseButtonFrame(false, false, false, sticky), 2);
    sticky = false;  // the release
    EXPECT_EQ(ChooseButtonFrame(false, false, false, sticky), 0);
    EXPECT_EQ(ChooseButtonFrame(true, true, true, sticky), 3);
    EXPECT_FALSE(sticky) << "a disabled button is never pressed";
}
