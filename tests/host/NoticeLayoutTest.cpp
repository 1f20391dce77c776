#include "extras/NoticeLayout.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>

TEST(NoticeLayout, ThePictureAddressAndTheTextChooseTheLook) {
    EXPECT_EQ(ChooseNoticeLayout(L"http://h/p.jpg", L"正文"), NoticeLayout::PictureAndText);
    EXPECT_EQ(ChooseNoticeLayout(L"http://h/p.jpg", L""), NoticeLayout::PictureOnly);
    EXPECT_EQ(ChooseNoticeLayout(L"", L"正文"), NoticeLayout::TextOnly);
    EXPECT_EQ(ChooseNoticeLayout(L"", L""), NoticeLayout::TextOnly) << "nothing fetched";
}

TEST(NoticeLayout, PictureAndTextLabels) {
    const NoticeLabels l = LayOutNoticeLabels(NoticeLayout::PictureAndText, Size{250, 191}, L"短文", DpiScale());
    EXPECT_EQ(l.picture.rect, (Rect{15, 67, 90, 147}));
    EXPECT_EQ(l.title.rect, (Rect{100, 48, 230, 63}));
    EXPECT_EQ(l.text.rect, (Rect{100, 68, 234, 81}));
    EXPECT_EQ(l.link.rect, (Rect{195, 168, 237, 181}));
    EXPECT_TRUE(l.picture.placed && l.title.placed && l.text.placed && l.link.placed);
    EXPECT_FALSE(l.pictureInText);
    EXPECT_EQ(l.shownText, L"短文...");
}

TEST(NoticeLayout, PictureOnlyFillsTheBodyBelowTheBand) {
    const NoticeLabels l = LayOutNoticeLabels(NoticeLayout::PictureOnly, Size{160, 212}, L"", DpiScale());
    EXPECT_TRUE(l.pictureInText);
    EXPECT_EQ(l.text.rect, (Rect{-3, 22, 160, 212}));
    EXPECT_FALSE(l.picture.placed);
    EXPECT_FALSE(l.title.placed) << "no title";
    EXPECT_FALSE(l.link.placed) << "no details link";
    EXPECT_EQ(l.shownText, L"");
}

TEST(NoticeLayout, TextOnlyLabels) {
    const std::wstring text(80, L'字');
    const NoticeLabels l = LayOutNoticeLabels(NoticeLayout::TextOnly, Size{250, 167}, text, DpiScale());
    EXPECT_FALSE(l.picture.placed);
    EXPECT_EQ(l.title.rect, (Rect{0, 45, 250, 60}));
    EXPECT_EQ(l.text.rect, (Rect{18, 65, 234, 78}));
    EXPECT_EQ(l.link.rect, (Rect{195, 145, 237, 158}));
    EXPECT_EQ(l.shownText, std::wstring(71, L'字') + L"...");
    EXPECT_EQ(LayOutNoticeLabels(NoticeLayout::PictureAndText, Size{250, 191}, text, DpiScale()).shownText,
              std::wstring(54, L'字') + L"...");
}

// In a notice skin drawn for a DPI the labels lie where the 96-DPI ones do,
// scaled: every edge within the pixel that rounding allows.
TEST(NoticeLayout, LabelsFollowTheScaledSkin) {
    auto near = [](const Rect& a, const Rect& b) {
        return std::abs(a.left - b.left) <= 1 && std::abs(a.top - b.top) <= 1 && std::abs(a.right - b.right) <= 1 &&
               std::abs(a.bottom - b.bottom) <= 1;
    };
    const std::pair<NoticeLayout, Size> looks[] = {{NoticeLayout::PictureAndText, Size{250, 191}},
                                                   {NoticeLayout::PictureOnly, Size{160, 212}},
                                                   {NoticeLayout::TextOnly, Size{250, 167}}};
    for (int dpi : {120, 144, 192}) {
        const DpiScale s(dpi);
        for (const auto& [layout, client] : looks) {
            const NoticeLabels base = LayOutNoticeLabels(layout, client, L"", DpiScale());
            const NoticeLabels scaled = LayOutNoticeLabels(layout, s.Of(client), L"", s);
            const std::pair<NoticeLabel, NoticeLabel> pairs[] = {{base.picture, scaled.picture},
                                                                 {base.title, scaled.title},
                                                                 {base.text, scaled.text},
                                                                 {base.link, scaled.link}};
            for (const auto& [b, sc] : pairs) {
                EXPECT_EQ(b.placed, sc.placed);
                if (b.placed) {
                    EXPECT_TRUE(near(s.Of(b.rect), sc.rect)) << dpi;
                }
            }
        }
    }
}

TEST(NoticeLayout, ShorteningNeverSplitsACharacterPair) {
    // U+20000 is two UTF-16 units; cut between them it would draw as garbage.
    const std::wstring pair = L"\xD840\xDC00";
    EXPECT_EQ(ShortenNoticeText(L"ab" + pair + L"c", 3), L"ab...");
    EXPECT_EQ(ShortenNoticeText(L"ab" + pair + L"c", 4), L"ab" + pair + L"...");
    EXPECT_EQ(ShortenNoticeText(L"", 54), L"...");
}

TEST(NoticeLayout, TheWindowSitsInTheWorkAreasBottomRightCorner) {
    EXPECT_EQ(NoticePlacement(Rect{0, 0, 1024, 740}, Size{250, 191}), (Rect{774, 549, 1024, 740}));
    // A work area that does not start at the origin (a taskbar at the top or left).
    EXPECT_EQ(NoticePlacement(Rect{60, 30, 1280, 800}, Size{160, 212}), (Rect{1120, 588, 1280, 800}));
    // The work area of a display left of and above the primary one.
    EXPECT_EQ(NoticePlacement(Rect{-1280, -1024, 0, -40}, Size{250, 191}), (Rect{-250, -231, 0, -40}));
}
