#include "app/DumpFileName.h"

#include <gtest/gtest.h>

TEST(DumpFileName, TheExtensionBecomesDmp) {
    EXPECT_EQ(DumpPathFor(L"C:\\ProgramData\\Korvel\\GameLogin\\Zuva.exe"),
              L"C:\\ProgramData\\Korvel\\GameLogin\\Zuva.dmp");
    // Only the last "." starts the extension.
    EXPECT_EQ(DumpPathFor(L"C:\\x\\Zuva.3.0.exe"), L"C:\\x\\Zuva.3.0.dmp");
    EXPECT_EQ(DumpPathFor(L"C:\\x\\Zuva."), L"C:\\x\\Zuva.dmp");
}

TEST(DumpFileName, APlayersProcessDumpsIntoItsOwnFolder) {
    EXPECT_EQ(PlayerDumpPathFor(L"C:\\Users\\lucky\\AppData\\Local", L"C:\\ProgramData\\Korvel\\GameLogin\\Zuva.exe"),
              L"C:\\Users\\lucky\\AppData\\Local\\Korvel\\GameLogin\\Zuva.dmp");
    EXPECT_EQ(PlayerDumpPathFor(L"C:\\L", L"Zuva.exe"), L"C:\\L\\Korvel\\GameLogin\\Zuva.dmp");
    EXPECT_EQ(PlayerDumpPathFor(L"", L"C:\\x\\Zuva.exe"), L"");
    EXPECT_EQ(PlayerDumpPathFor(L"C:\\L", L"C:\\x\\Zuva"), L"");
}

TEST(DumpFileName, NoExtensionMeansNoDump) {
    EXPECT_EQ(DumpPathFor(L"C:\\x\\Zuva"), L"");
    EXPECT_EQ(DumpPathFor(L""), L"");
    // The dot of a folder is no extension: cutting there would write
    // "C:\my.dmp" outside the executable's folder.
    EXPECT_EQ(DumpPathFor(L"C:\\my.games\\Zuva"), L"");
}
