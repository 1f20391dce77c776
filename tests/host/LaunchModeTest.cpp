#include "app/LaunchMode.h"

#include <gtest/gtest.h>

#include "base/LenientNumber.h"

namespace {
const std::wstring kData = L"C:\\PROGRAMDATA\\KORVEL\\GAMELOGIN";
const std::wstring kInside = L"C:\\PROGRAMDATA\\KORVEL\\GAMELOGIN\\ZUVA.EXE";
const std::wstring kOutside = L"C:\\USERS\\LUCKY\\DOWNLOADS\\ZUVA.EXE";

LaunchInfo Parse(std::vector<std::wstring> args, const std::wstring& exe = kOutside) {
    return ParseLaunchMode(args, exe, kData);
}
}  // namespace

TEST(LaunchMode, SwitchesMatchWholeFirstArgumentIgnoringCase) {
    EXPECT_EQ(Parse({L"/webKorvelD"}).mode, LaunchMode::PortalHome);
    EXPECT_EQ(Parse({L"/WEBKORVELD"}).mode, LaunchMode::PortalHome);
    EXPECT_EQ(Parse({L"/ZUVAD"}).mode, LaunchMode::ShortcutStart);
    EXPECT_EQ(Parse({L"/zuvad"}).mode, LaunchMode::ShortcutStart);
    EXPECT_EQ(Parse({L"/Uninst"}).mode, LaunchMode::Uninstall);
    EXPECT_EQ(Parse({L"/UPDATE", L"extra"}).mode, LaunchMode::ApplyUpdate);
    EXPECT_EQ(Parse({L"/NewGm", L"/1", L"/2"}).mode, LaunchMode::NewGameWindow);
    EXPECT_EQ(Parse({L"/gmHall", L"/1"}).mode, LaunchMode::GameHallWindow);
}

TEST(LaunchMode, NearMissesFallBackToTheFolderTest) {
    for (const wchar_t* arg : {L"/ZuvaDx", L"ZuvaD", L"/Zuva", L"", L"/zuvad ", L"-ZuvaD"}) {
        EXPECT_EQ(Parse({arg}, kOutside).mode, LaunchMode::Install) << arg;
        EXPECT_EQ(Parse({arg}, kInside).mode, LaunchMode::InstalledStart) << arg;
    }
}

TEST(LaunchMode, OnlyTheFirstArgumentCounts) {
    EXPECT_EQ(Parse({L"x", L"/uninst"}, kOutside).mode, LaunchMode::Install);
    EXPECT_EQ(Parse({L"x", L"/uninst"}, kInside).mode, LaunchMode::InstalledStart);
}

TEST(LaunchMode, FolderTestLooksForTheDataFolderAnywhereInThePath) {
    EXPECT_EQ(Parse({}, kInside).mode, LaunchMode::InstalledStart);
    EXPECT_EQ(Parse({}, L"\\\\?\\" + kInside).mode, LaunchMode::InstalledStart);
    EXPECT_EQ(Parse({}, L"C:\\PROGRAMDATA\\KORVEL\\GAMELOGINX\\ZUVA.EXE").mode, LaunchMode::InstalledStart);
    EXPECT_EQ(Parse({}, L"C:\\PROGRAMDATA\\KORVEL\\ZUVA.EXE").mode, LaunchMode::Install);
    // Without a data folder (the shell could not tell us) nothing is "inside".
    EXPECT_EQ(ParseLaunchMode({}, kInside, L"").mode, LaunchMode::Install);
}

TEST(LaunchMode, NewGameWindowReadsOwnerAndPageCount) {
    LaunchInfo info = Parse({L"/newgm", L"/123456", L"/2"});
    EXPECT_EQ(info.ownerWnd, 123456);
    EXPECT_EQ(info.ownerPages, 2);

    info = Parse({L"/gmhall", L"/777"});
    EXPECT_EQ(info.ownerWnd, 777);
    EXPECT_EQ(info.ownerPages, 0);

    // Other modes leave both at zero even with numbers behind them.
    info = Parse({L"/ZuvaD", L"/5", L"/6"});
    EXPECT_EQ(info.ownerWnd, 0);
    EXPECT_EQ(info.ownerPages, 0);
}

TEST(LaunchMode, MissingOrOddOwnerArgumentsReadAsZeroOrTheirDigits) {
    EXPECT_EQ(Parse({L"/newgm"}).ownerWnd, 0);
    EXPECT_EQ(Parse({L"/newgm"}).ownerPages, 0);
    EXPECT_EQ(Parse({L"/newgm", L"/42"}).ownerPages, 0);
    EXPECT_EQ(Parse({L"/newgm", L""}).ownerWnd, 0);
    EXPECT_EQ(Parse({L"/newgm", L"/"}).ownerWnd, 0);
    EXPECT_EQ(Parse({L"/newgm", L"/abc", L"/x1"}).ownerWnd, 0);
    // The first character is skipped whatever it is.
    EXPECT_EQ(Parse({L"/newgm", L"x99", L"-3"}).ownerWnd, 99);
    EXPECT_EQ(Parse({L"/newgm", L"x99", L"-3"}).ownerPages, 3);
    EXPECT_EQ(Parse({L"/newgm", L"/ -12x", L"/+4"}).ownerWnd, -12);
    EXPECT_EQ(Parse({L"/newgm", L"/ -12x", L"/+4"}).ownerPages, 4);
}

TEST(LaunchMode, OverlongOwnerArgumentsAreCutToTheirBuffers) {
    // Handle: 15 characters kept (the slash and 14 digits).
    LaunchInfo info = Parse({L"/newgm", L"/12345678901234567890", L"/1234567890"});
    EXPECT_EQ(info.ownerWnd, 2147483647);  // 14 digits overflow: saturated, not wrapped
    EXPECT_EQ(info.ownerPages, 123456);      // 7 characters kept: the slash and 6 digits
    info = Parse({L"/newgm", L"/00000000000012345", L"/0000009"});
    EXPECT_EQ(info.ownerWnd, 12);  // cut to "/00000000000012"
    EXPECT_EQ(info.ownerPages, 0);   // cut to "/000000"
}

TEST(LenientNumber, ReadsLikeTheCRuntime) {
    EXPECT_EQ(ParseLenientInt(L""), 0);
    EXPECT_EQ(ParseLenientInt(L"abc"), 0);
    EXPECT_EQ(ParseLenientInt(L"  \t42"), 42);
    EXPECT_EQ(ParseLenientInt(L"-17,3"), -17);
    EXPECT_EQ(ParseLenientInt(L"+8"), 8);
    EXPECT_EQ(ParseLenientInt(L"- 8"), 0);
    EXPECT_EQ(ParseLenientInt(L"2147483647"), 2147483647);
    EXPECT_EQ(ParseLenientInt(L"2147483648"), 2147483647);
    EXPECT_EQ(ParseLenientInt(L"-2147483648"), -2147483647 - 1);
    EXPECT_EQ(ParseLenientInt(L"-99999999999999999999"), -2147483647 - 1);
}

TEST(LaunchMode, ModesThatMakeTheAutomaticUpdateCheck) {
    EXPECT_TRUE(ModeChecksAutomatically(LaunchMode::ShortcutStart));
    for (LaunchMode m : {LaunchMode::Install, LaunchMode::PortalHome, LaunchMode::Uninstall, LaunchMode::NewGameWindow,
                         LaunchMode::ClearCache, LaunchMode::OpenAddress})
        EXPECT_FALSE(ModeChecksAutomatically(m));
}

TEST(LaunchMode, TheChoresTakeTheirSwitchAndTheAddressAfterIt) {
    EXPECT_EQ(Parse({L"/ClearCache"}).mode, LaunchMode::ClearCache);
    const LaunchInfo open = Parse({L"/open", L"http://www.korvel.example/"});
    EXPECT_EQ(open.mode, LaunchMode::OpenAddress);
    EXPECT_EQ(open.address, L"http://www.korvel.example/");
    EXPECT_EQ(Parse({L"/open"}).address, L"");
}
