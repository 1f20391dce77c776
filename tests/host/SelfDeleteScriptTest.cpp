#include "app/SelfDeleteScript.h"

#include <gtest/gtest.h>

namespace {
const std::wstring kExe = L"C:\\ProgramData\\Korvel\\GameLogin\\Zuva.exe";
const std::wstring kScript = L"C:\\Windows\\Temp\\ZuvaUninstall-0C1D2E3F\\Del00A1B2C3.tmp.bat";
}  // namespace

TEST(SelfDeleteScript, ShortFormDeletesOnlyTheExecutableAndItself) {
    EXPECT_EQ(SelfDeleteScriptText(kExe, kScript, false),
              L"cd\\\r\n"
              L":delexe\r\n"
              L"ping -n 1 127.0.0.1\r\n"
              L"del \"C:\\ProgramData\\Korvel\\GameLogin\\Zuva.exe\"\r\n"
              L"if exist \"C:\\ProgramData\\Korvel\\GameLogin\\Zuva.exe\" goto :delexe\r\n"
              L"del \"C:\\Windows\\Temp\\ZuvaUninstall-0C1D2E3F\\Del00A1B2C3.tmp.bat\" & "
              L"rd \"C:\\Windows\\Temp\\ZuvaUninstall-0C1D2E3F\"\r\n");
}

TEST(SelfDeleteScript, LongFormAlsoEmptiesAndRemovesTheFolder) {
    EXPECT_EQ(SelfDeleteScriptText(kExe, kScript, true),
              L"cd\\\r\n"
              L":delexe\r\n"
              L"ping -n 1 127.0.0.1\r\n"
              L"del \"C:\\ProgramData\\Korvel\\GameLogin\\Zuva.exe\"\r\n"
              L"if exist \"C:\\ProgramData\\Korvel\\GameLogin\\Zuva.exe\" goto :delexe\r\n"
              L"del \"C:\\ProgramData\\Korvel\\GameLogin\" /Q /F /A\r\n"
              L"rd \"C:\\ProgramData\\Korvel\\GameLogin\"\r\n"
              L"del \"C:\\Windows\\Temp\\ZuvaUninstall-0C1D2E3F\\Del00A1B2C3.tmp.bat\" & "
              L"rd \"C:\\Windows\\Temp\\ZuvaUninstall-0C1D2E3F\"\r\n");
}

TEST(SelfDeleteScript, PercentSignsInPathsStayLiteral) {
    // Unescaped, cmd would read "%windir%" as the Windows folder.
    const std::wstring text = SelfDeleteScriptText(L"C:\\a%windir%b\\Zuva.exe", L"C:\\t\\50%.bat", true);
    EXPECT_NE(text.find(L"del \"C:\\a%%windir%%b\\Zuva.exe\"\r\n"), std::wstring::npos) << text;
    EXPECT_NE(text.find(L"rd \"C:\\a%%windir%%b\"\r\n"), std::wstring::npos) << text;
    EXPECT_NE(text.find(L"del \"C:\\t\\50%%.bat\" & rd \"C:\\t\"\r\n"), std::wstring::npos) << text;
    EXPECT_EQ(text.find(L"\"C:\\a%w"), std::wstring::npos);
}

TEST(SelfDeleteScript, ItsNameAndItsFoldersCarryEightHexadecimalDigitsOfTheRandomNumber) {
    EXPECT_EQ(SelfDeleteScriptName(0x00A1B2C3u), L"Del00A1B2C3.tmp.bat");
    EXPECT_EQ(SelfDeleteScriptName(0xFEDCBA98u), L"DelFEDCBA98.tmp.bat");
    EXPECT_EQ(SelfDeleteFolderName(0x0C1D2E3Fu), L"ZuvaUninstall-0C1D2E3F");
}

TEST(SelfDeleteScript, TheFolderGoesOnlyWhenTheExecutableIsAlone) {
    EXPECT_TRUE(CanRemoveExeFolder(kExe, 1));
    EXPECT_TRUE(CanRemoveExeFolder(kExe, 0));
    EXPECT_FALSE(CanRemoveExeFolder(kExe, 2)) << "Statistic.ini beside it keeps the folder";
    EXPECT_FALSE(CanRemoveExeFolder(kExe, 100));
    // A drive's root is never emptied, nor a path without a folder.
    EXPECT_FALSE(CanRemoveExeFolder(L"C:\\Zuva.exe", 1));
    EXPECT_FALSE(CanRemoveExeFolder(L"Zuva.exe", 1));
    EXPECT_TRUE(CanRemoveExeFolder(L"C:\\x\\Zuva.exe", 1));
}
