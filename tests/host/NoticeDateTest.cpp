#include "extras/NoticeDate.h"

#include <gtest/gtest.h>

TEST(NoticeDate, TodaysFormIsZeroPadded) {
    EXPECT_EQ(FormatNoticeDay(2024, 3, 7), L"2024-03-07");
    EXPECT_EQ(FormatNoticeDay(987, 12, 31), L"0987-12-31");
}

TEST(NoticeDate, TheLastDayItselfStillCountsTheDayAfterNot) {
    EXPECT_FALSE(IsPastLastDay(L"2024-03-07", L"2024-03-07"));
    EXPECT_TRUE(IsPastLastDay(L"2024-03-06", L"2024-03-07")) << "yesterday";
    EXPECT_FALSE(IsPastLastDay(L"2024-03-08", L"2024-03-07"));
    // Year before month before day, not a comparison of texts.
    EXPECT_TRUE(IsPastLastDay(L"2023-12-31", L"2024-01-01"));
    EXPECT_FALSE(IsPastLastDay(L"2024-2-1", L"2024-01-31")) << "unpadded numbers";
    EXPECT_TRUE(IsPastLastDay(L"2024-02-1", L"2024-02-02"));
    EXPECT_FALSE(IsPastLastDay(L"2025-01-01", L"2024-12-31"));
}

TEST(NoticeDate, WhatFollowsABlankIsIgnored) {
    EXPECT_FALSE(IsPastLastDay(L"2024-03-07 23:59", L"2024-03-07"));
    EXPECT_TRUE(IsPastLastDay(L"2024-03-06 23:59", L"2024-03-07"));
    // A "-" after the blank does not make up for a missing one before it.
    EXPECT_TRUE(IsPastLastDay(L"2024 03-07", L"2020-01-01"));
}

TEST(NoticeDate, ALastDayWithoutItsTwoDashesIsPast) {
    EXPECT_TRUE(IsPastLastDay(L"20300101", L"2024-03-07"));
    EXPECT_TRUE(IsPastLastDay(L"2030-01", L"2024-03-07"));
    EXPECT_TRUE(IsPastLastDay(L"", L"2024-03-07"));
    EXPECT_TRUE(IsPastLastDay(L"2030/01/01", L"2024-03-07"));
}
