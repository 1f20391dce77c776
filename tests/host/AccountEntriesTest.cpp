#include <gtest/gtest.h>

#include <set>

#include "mainwnd/AccountMuteRules.h"

TEST(AccountMute, APageIsSilentWhenItsWindowOrItsOwnAccountIs) {
    EXPECT_EQ(PageMuteValue(0, false), 0);
    EXPECT_EQ(PageMuteValue(0, true), 1);
    EXPECT_EQ(PageMuteValue(1, false), 1);
    EXPECT_EQ(PageMuteValue(1, true), 1);
}

// Captions come from the portal's login page: whatever they hold, their key
// is one INI line can carry, names them alone (INI keys ignore letter case)
// and gives them back whole.
TEST(AccountMute, HostileCaptionsRoundTripThroughKeysTheFileCannotMisread) {
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

TEST(AccountMute, TheOldestMutingsGoBeyondTheBound) {
    const auto entries = ParseMutedAccounts({L"aa=3", L"bb=1", L"cc=7", L"Zz=9", L"dd=x", L"ee", L"=5"});
    ASSERT_EQ(entries.size(), 6u) << "a line without a key is nothing to delete";
    EXPECT_EQ(NextMutedSerial(entries), 8u) << "after the launcher's own serials";
    // Lines it did not write ("Zz", "dd", "ee") count as the oldest.
    EXPECT_EQ(MutedAccountsOverBound(entries, 6), std::vector<std::wstring>{});
    EXPECT_EQ(MutedAccountsOverBound(entries, 2), (std::vector<std::wstring>{L"Zz", L"dd", L"ee", L"bb"}));
    EXPECT_EQ(NextMutedSerial({}), 1u);
}

TEST(AccountMute, SerialsAreNumberedAnewBeforeTheyWouldPassTheTop) {
    const auto below = ParseMutedAccounts({L"aa=3", L"bb=9999999999999999998"});
    EXPECT_EQ(NextMutedSerial(below), kMaxMutedSerial);
    EXPECT_TRUE(RenumberedMutedAccounts(below).empty()) << "the top itself still reads back";
    const auto top = ParseMutedAccounts({L"cc=9999999999999999999", L"aa=3", L"Zz=1", L"bb=12"});
    const auto renumbered = RenumberedMutedAccounts(top);
    ASSERT_EQ(renumbered.size(), 4u);
    const std::pair<std::wstring, uint64_t> order[] = {{L"Zz", 1}, {L"aa", 2}, {L"bb", 3}, {L"cc", 4}};
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(std::make_pair(renumbered[i].key, renumbered[i].serial), order[i]) << "the order is kept";
    EXPECT_EQ(NextMutedSerial(renumbered), 5u);
}
