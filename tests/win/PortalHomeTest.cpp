// "/webKorvelD": the portal's home page opened through the shell, and the
// portal-home ping.
#include <gtest/gtest.h>

#include "app/LaunchModeWin.h"
#include "base/BuildConfig.h"
#include "InstallStage.h"

using namespace wintest;

TEST(PortalHome, OpensTheHomePageThroughTheShellAndPings) {
    InstallStage stage;
    // The prefix's handler of http addresses, for this test: one that notes
    // the address it was given.
    const wchar_t kHandlerKey[] = L"Software\\Classes\\http\\shell\\open\\command";
    RegistryValueBackup handler(HKEY_LOCAL_MACHINE, kHandlerKey, L"");
    const std::wstring noted = TempFolder() + L"zuva-opened-address.txt";
    FileContentBackup notedFile(noted);
    ::DeleteFileW(noted.c_str());
    wchar_t system[MAX_PATH] = {};
    ::GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring command = std::wstring(system) + L"\\cmd.exe /c echo %1>\"" + noted + L"\"";
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kHandlerKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    {
        fw::RegKey owned(key);
        ::RegSetValueExW(key, L"", 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                         static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
    }

    PlacedCopy exe(ScriptedExe(), GetDataFolder(), L"Zuva.exe");
    ASSERT_TRUE(exe.ok());
    LauncherProcess p(exe.path(), L"/webKorvelD");
    ASSERT_TRUE(p.WaitForExit(20000));
    EXPECT_EQ(p.ExitCode(), 0u);

    // The process waited for its ping before it ended.
    EXPECT_EQ(PortalCount(L"/active.htm"), 1);
    EXPECT_EQ(PortalLog(L"/active.htm").rfind("GET /active.htm?tag=webKorvel&ver=3.0.0.1&count=1 HTTP/1.1\r\n", 0),
              0u);
    EXPECT_EQ(stage.Counter(L"Korvel"), L"1");
    EXPECT_EQ(stage.Counter(L"Game"), L"") << "no game start";
    EXPECT_EQ(PortalCount(L"/update/ConfigZuva.htm"), 0);

    // cmd writes the address and its line end apart: wait for the whole line.
    std::string opened;
    auto whole = [&] { return opened.size() >= 2 && opened.compare(opened.size() - 2, 2, "\r\n") == 0; };
    for (int i = 0; i < 100 && !whole(); ++i, ::Sleep(100)) opened = ReadFileBytes(noted);
    const std::wstring home = buildcfg::kPortalHome;
    EXPECT_EQ(opened, std::string(home.begin(), home.end()) + "\r\n");
    EXPECT_TRUE(FindWindows(p.pid(), L"#32770", L"KorvelFerrowind").empty()) << "no main window";
}
