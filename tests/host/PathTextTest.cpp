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
