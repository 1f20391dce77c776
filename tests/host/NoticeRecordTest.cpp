#include "extras/NoticeRecord.h"

#include <gtest/gtest.h>

namespace {
const std::wstring kRecord =
    L"n42|2030-05-01|新服开启|http://korvel.example/news|欢迎来到新服|http://korvel.example/p.jpg|3";
}

TEST(NoticeRecord, SevenFieldsInOrder) {
    const auto notice = ParseNoticeRecord(kRecord);
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->id, L"n42");
    EXPECT_EQ(notice->lastDay, L"2030-05-01");
    EXPECT_EQ(notice->title, L"新服开启");
    EXPECT_EQ(notice->link, L"http://korvel.example/news");
    EXPECT_EQ(notice->text, L"欢迎来到新服");
    EXPECT_EQ(notice->picture, L"http://korvel.example/p.jpg");
    EXPECT_EQ(notice->showings, 3);
}

TEST(NoticeRecord, ShowingsAreEverythingAfterTheSixthBar) {
    EXPECT_EQ(ParseNoticeRecord(L"a|b|c|||| 12 times")->showings, 12);
    EXPECT_EQ(ParseNoticeRecord(L"a|b|c||||")->showings, 0) << "empty: no number";
    EXPECT_EQ(ParseNoticeRecord(L"a|b|c||||-2")->showings, -2);
    // A seventh bar belongs to the showings field, which then reads as 0.
    EXPECT_EQ(ParseNoticeRecord(L"a|b|c|||||5")->showings, 0);
    const auto empties = ParseNoticeRecord(L"a|b|c||||1");
    ASSERT_TRUE(empties);
    EXPECT_TRUE(empties->link.empty() && empties->text.empty() && empties->picture.empty());
}

TEST(NoticeRecord, SixFieldsOrFewerAreNoNotice) {
    EXPECT_FALSE(ParseNoticeRecord(L"a|2030-01-01|t|l|x|p")) << "five bars";
    EXPECT_FALSE(ParseNoticeRecord(L"a|2030-01-01"));
    EXPECT_FALSE(ParseNoticeRecord(L""));
}

TEST(NoticeRecord, EachFieldUpToItsLimitAndNotOneCharacterMore) {
    struct Case {
        int field;
        size_t limit;
    } cases[] = {{0, 31}, {1, 15}, {2, 63}, {3, 511}, {4, 511}, {5, 511}};
    for (const Case& c : cases) {
        for (size_t length : {c.limit, c.limit + 1}) {
            std::wstring fields[6] = {L"id", L"2030-01-01", L"t", L"l", L"x", L"p"};
            fields[c.field] = std::wstring(length, L'7');
            std::wstring record;
            for (const std::wstring& f : fields) record += f + L"|";
            record += L"1";
            EXPECT_EQ(ParseNoticeRecord(record).has_value(), length == c.limit)
                << "field " << c.field + 1 << " of " << length << " characters";
        }
    }
}

TEST(NoticeRecord, TheLineEndAfterTheRecordGoesALineBreakInsideRefusesIt) {
    EXPECT_EQ(TrimNoticeText(kRecord + L"\r\n"), kRecord);
    EXPECT_EQ(TrimNoticeText(kRecord + L"\n\n"), kRecord);
    EXPECT_EQ(TrimNoticeText(kRecord), kRecord);
    // Stored as one settings value, a second line would become a line of its own.
    EXPECT_EQ(TrimNoticeText(L"a|b|c\r\n[Zuva]\r\nPopEnable=1|||1"), L"");
    EXPECT_EQ(TrimNoticeText(L"\r\n"), L"");
}

TEST(NoticeRecord, OnlyWebLinksAreOpened) {
    EXPECT_TRUE(IsOpenableNoticeLink(L"http://korvel.example/news"));
    EXPECT_TRUE(IsOpenableNoticeLink(L"HTTPS://korvel.example/"));
    EXPECT_FALSE(IsOpenableNoticeLink(L""));
    EXPECT_FALSE(IsOpenableNoticeLink(L"http://"));
    EXPECT_FALSE(IsOpenableNoticeLink(L"C:\\Windows\\system32\\cmd.exe"));
    EXPECT_FALSE(IsOpenableNoticeLink(L"file:///C:/Windows/notepad.exe"));
    EXPECT_FALSE(IsOpenableNoticeLink(L"calc"));
    EXPECT_FALSE(IsOpenableNoticeLink(L" http://korvel.example/"));
}
