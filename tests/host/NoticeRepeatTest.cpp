#include "extras/NoticeRepeat.h"

#include <gtest/gtest.h>

namespace {
const std::wstring kOld = L"n1|2030-01-01|旧公告|||http://h/p.jpg|2";
}

TEST(NoticeRepeat, ANewRecordIsShownWhateverTheStoredState) {
    EXPECT_TRUE(ShouldShowNoticeRecord(kOld, L"", L""));
    EXPECT_TRUE(ShouldShowNoticeRecord(kOld, L"", L"0"));
    EXPECT_TRUE(ShouldShowNoticeRecord(L"n2|2030-01-01|新公告||||1", kOld, L"0"));
}

TEST(NoticeRepeat, TheSameRecordOnlyUnlessDismissed) {
    EXPECT_FALSE(ShouldShowNoticeRecord(kOld, kOld, L"0")) << "closed by the player";
    EXPECT_TRUE(ShouldShowNoticeRecord(kOld, kOld, L"1")) << "ran its course";
    EXPECT_TRUE(ShouldShowNoticeRecord(kOld, kOld, L"")) << "no state written";
    EXPECT_TRUE(ShouldShowNoticeRecord(kOld, kOld, L"00"));
}

TEST(NoticeRepeat, ARecordContainingTheStoredOneIsTheSameNotice) {
    EXPECT_FALSE(ShouldShowNoticeRecord(L"x" + kOld + L"0", kOld, L"0"));
    EXPECT_FALSE(ShouldShowNoticeRecord(kOld + L"\r\n", kOld, L"0"));
    // The other way round it is a new notice.
    EXPECT_TRUE(ShouldShowNoticeRecord(kOld.substr(1), kOld, L"0"));
}

TEST(NoticeRepeat, AnEmptyRecordIsNeverShown) {
    EXPECT_FALSE(ShouldShowNoticeRecord(L"", L"", L""));
    EXPECT_FALSE(ShouldShowNoticeRecord(L"", kOld, L"1"));
}

namespace {
// How many showings a run makes of a notice published for `published`.
int ShowingsOf(int published) {
    NoticeShowings showings(published);
    int shown = 1;
    while (showings.MoreToCome() && shown < 100) {
        showings.NextShowing();
        ++shown;
    }
    return shown;
}
}  // namespace

TEST(NoticeRepeat, AsManyShowingsAsPublishedAndAlwaysOne) {
    EXPECT_EQ(ShowingsOf(3), 3);
    EXPECT_EQ(ShowingsOf(1), 1);
    EXPECT_EQ(ShowingsOf(0), 1);
    EXPECT_EQ(ShowingsOf(-5), 1);
    NoticeShowings showings(2);
    EXPECT_EQ(showings.current(), 1);
    showings.NextShowing();
    EXPECT_EQ(showings.current(), 2);
    EXPECT_FALSE(showings.MoreToCome());
}
