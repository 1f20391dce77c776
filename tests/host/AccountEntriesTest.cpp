#include <gtest/gtest.h>

#include <set>

#include "accounts/AccountEntries.h"
#include "mainwnd/AccountMuteRules.h"
#include "mainwnd/AccountZoomRules.h"

TEST(AccountMute, APageIsSilentWhenItsWindowOrItsOwnAccountIs) {
    EXPECT_EQ(PageMuteValue(0, false), 0);
    EXPECT_EQ(PageMuteValue(0, true), 1);
    EXPECT_EQ(PageMuteValue(1, false), 1);
    EXPECT_EQ(PageMuteValue(1, true), 1);
}

// Captions come from the portal's login page: whatever they hold, their key
// is one INI line can carry, names them alone (INI keys ignore letter case)
// and gives them back whole.
TEST(AccountEntries, HostileCaptionsRoundTripThroughKeysTheFileCannotMisread) {
    const std::wstring captions[] = {
        L"12服-青龙-lucky",
        L"Lucky",
        L"lucky",
        L"a=b]c[d;e",
        L"line\r\nbreak\n",
        L" blank ",
        L"%0041",
        L"\"quoted\"",
        std::wstring(1, L'\0') + L"nul",
        std::wstring(kMaxRememberedCaption, L'龙'),
    };
    std::set<std::wstring> folded;
    for (const std::wstring& caption : captions) {
        const std::wstring key = EncodeAccountKey(caption);
        ASSERT_FALSE(key.empty()) << "remembered";
        for (wchar_t c : key)
            EXPECT_TRUE((c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'F') || c == L'%')
                << "key " << static_cast<int>(c);
        EXPECT_EQ(DecodeAccountKey(key), caption);
        std::wstring lower = key;
        for (wchar_t& c : lower) c = static_cast<wchar_t>(towlower(c));
        EXPECT_TRUE(folded.insert(lower).second) << "two captions share a key";
    }
    EXPECT_EQ(EncodeAccountKey(L"12服-a"), L"12%670D%002Da");

    EXPECT_EQ(EncodeAccountKey(L""), L"");
    EXPECT_EQ(EncodeAccountKey(std::wstring(kMaxRememberedCaption + 1, L'a')), L"") << "too long to remember";
    for (const wchar_t* bad : {L"", L"%", L"%00", L"%0061", L"%00e9", L"A", L"a=b", L"%00ZZ"})
        EXPECT_FALSE(DecodeAccountKey(bad)) << "not a key the launcher writes: " << bad;
}

TEST(AccountEntries, TheOldestEntriesGoBeyondTheBound) {
    const auto entries = ParseAccountEntries({L"aa=3", L"bb=1", L"cc=7", L"Zz=9", L"dd=x", L"ee", L"=5"});
    ASSERT_EQ(entries.size(), 6u) << "a line without a key is nothing to delete";
    EXPECT_EQ(NextAccountSerial(entries), 8u) << "after the launcher's own serials";
    // Lines it did not write ("Zz", "dd", "ee") count as the oldest.
    EXPECT_EQ(AccountEntriesOverBound(entries, 6), std::vector<std::wstring>{});
    EXPECT_EQ(AccountEntriesOverBound(entries, 2), (std::vector<std::wstring>{L"Zz", L"dd", L"ee", L"bb"}));
    EXPECT_EQ(NextAccountSerial({}), 1u);
}

TEST(AccountEntries, SerialsAreNumberedAnewBeforeTheyWouldPassTheTop) {
    const auto below = ParseAccountEntries({L"aa=3", L"bb=9999999999999999998"});
    EXPECT_EQ(NextAccountSerial(below), kMaxAccountSerial);
    EXPECT_TRUE(RenumberedAccountEntries(below).empty()) << "the top itself still reads back";
    const auto top = ParseAccountEntries({L"cc=9999999999999999999", L"aa=3", L"Zz=1", L"bb=12"});
    const auto renumbered = RenumberedAccountEntries(top);
    ASSERT_EQ(renumbered.size(), 4u);
    const std::pair<std::wstring, uint64_t> order[] = {{L"Zz", 1}, {L"aa", 2}, {L"bb", 3}, {L"cc", 4}};
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(std::make_pair(renumbered[i].key, renumbered[i].serial), order[i]) << "the order is kept";
    EXPECT_EQ(NextAccountSerial(renumbered), 5u);
}

// A zoom is remembered beside its serial, and only a zoom the launcher
// offers reads back; anything else opens the account at 100 %.
TEST(AccountEntries, AValueRidesBesideTheSerialAndOnlyAZoomStepReadsBack) {
    EXPECT_EQ(AccountEntryText(7, L""), L"7") << "a muting's entry as it always was";
    const auto entries = ParseAccountEntries({L"aa=3," + ZoomEntryValue(125), L"bb=x,150", L"Zz=9,90"});
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(AccountEntryText(entries[0].serial, entries[0].value), L"3,125");
    EXPECT_EQ(entries[1].serial, 0u) << "no serial of the launcher's: the oldest";
    EXPECT_EQ(entries[2].value, L"") << "not a key the launcher writes";
    const auto renumbered = RenumberedAccountEntries(ParseAccountEntries({L"aa=9999999999999999999,67", L"bb=2"}));
    EXPECT_EQ(AccountEntryText(renumbered.at(1).serial, renumbered.at(1).value), L"2,67") << "value kept";

    for (int step : {50, 67, 75, 80, 90, 100, 110, 125, 150, 175, 200})
        EXPECT_EQ(AccountOpeningZoom(ZoomOfEntryValue(ZoomEntryValue(step))), step);
    for (const wchar_t* bad : {L"", L"130", L"0125", L"-50", L"1e2", L"4294967421", L"5"})
        EXPECT_EQ(AccountOpeningZoom(ZoomOfEntryValue(bad)), 100) << bad;
}
