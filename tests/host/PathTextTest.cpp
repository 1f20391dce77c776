#include "base/BrowserAddress.h"
#include "base/PathText.h"

#include <gtest/gtest.h>

TEST(PathText, FolderIsThePathUpToTheLastBackslash) {
    EXPECT_EQ(FolderOfPath(L"C:\\ProgramData\\Korvel\\GameLogin\\Zuva.exe"), L"C:\\ProgramData\\Korvel\\GameLogin");
    EXPECT_EQ(FolderOfPath(L"C:\\my.dir\\Zuva.exe"), L"C:\\my.dir");
    EXPECT_EQ(FolderOfPath(L"Zuva.exe"), L"");
}

TEST(PathText, ProgramPathIsQuotedOnlyWhenItHoldsABlank) {
    EXPECT_EQ(CommandLineProgram(L"C:\\A\\Zuva.exe"), L"C:\\A\\Zuva.exe");
    EXPECT_EQ(CommandLineProgram(L"C:\\My Games\\Zuva.exe"), L"\"C:\\My Games\\Zuva.exe\"");
}

// What an elevated launcher hands to the player's browser, on a command line
// of its own where need be: a web address, one argument.
TEST(BrowserAddress, OnlyAWebAddressThatStaysOneArgument) {
    EXPECT_TRUE(IsBrowserAddress(L"http://www.korvel.example/"));
    EXPECT_TRUE(IsBrowserAddress(L"HTTPS://news.korvel.example/a?b=1&c=%20"));
    for (const wchar_t* address : {L"http://", L"file:///C:/Windows/win.ini", L"javascript:alert(1)",
                                   L"http://x/\" /evil", L"http://x/ y", L"http://x/\ty", L"ftp://x/", L""})
        EXPECT_FALSE(IsBrowserAddress(address)) << address;
}
