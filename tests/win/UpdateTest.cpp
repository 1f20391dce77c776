// Self-update as a player meets it: a shortcut start that finds a different
// build downloads it under the progress dialog, swaps it in and starts it.
#include <gtest/gtest.h>

#include <fstream>

#include "LauncherDriver.h"
#include "PortalClient.h"
#include "Screenshot.h"
#include "WinTestSupport.h"
#include "app/LaunchModeWin.h"
#include "app/SettingsStore.h"

using namespace wintest;

namespace {
const wchar_t kSessionManager[] = L"System\\CurrentControlSet\\Control\\Session Manager";
const wchar_t kProgressTitle[] = L"版本更新中...";

// An installed launcher with a clean update state, all put back afterwards.
struct UpdateStage {
    UpdateStage()
        : updTime(HKEY_LOCAL_MACHINE, kRegistryKey, L"UpdTime"),
          disableDays(HKEY_LOCAL_MACHINE, kRegistryKey, L"DisableDays"),
          pendingRenames(HKEY_LOCAL_MACHINE, kSessionManager, L"PendingFileRenameOperations"),
          exe(ScriptedExe(), GetDataFolder(), L"Zuva.exe"),
          ini(GetDataFolder() + L"\\Statistic.ini"),
          newBuild(PortalRoot() + L"\\NewBuild.exe") {
        HKEY key = nullptr;
        if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kRegistryKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) ==
            ERROR_SUCCESS) {
            ::RegDeleteValueW(key, L"UpdTime");
            ::RegDeleteValueW(key, L"DisableDays");
            ::RegCloseKey(key);
        }
        // The build the portal publishes: the launcher itself plus a marker,
        // so that it really runs and can be told from the old one.
        const std::string bytes = ReadFileBytes(ScriptedExe()) + "ZUVA-NEW-BUILD";
        std::ofstream(newBuild.c_str(), std::ios::binary) << bytes;
        newBuildSize = bytes.size();
    }
    ~UpdateStage() {
        for (const wchar_t* name : {L"\\OldZuva.exe", L"\\NewZuva.exe", L"\\ConfigZuva.htm"})
            ::DeleteFileW((GetDataFolder() + name).c_str());
        ::DeleteFileW(newBuild.c_str());
    }
    std::wstring Path(const wchar_t* name) const { return GetDataFolder() + L"\\" + name; }

    void Publish(const std::wstring& key, const std::wstring& address) {
        PortalAnswer(L"/update/ConfigZuva.htm",
                     L"body=%5BVerKey%5D%0D%0AZuva%3D" + key + L"%0D%0AUpdAddr%3D" + address + L"%0D%0A");
    }

    PortalSession portal;
    RegistryValueBackup updTime, disableDays, pendingRenames;
    PlacedCopy exe;
    FileBackup ini;
    std::wstring newBuild;
    size_t newBuildSize = 0;
};

const std::wstring kOtherKey = L"00000000000000000000000000000000";

// Closes a main window and waits for its process to end.
void CloseMainWindow(DWORD pid) {
    HWND main = WaitForWindow(pid, kDialogClass, kMainTitle, 15000);
    ASSERT_NE(main, nullptr);
    ::PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
}
}  // namespace

TEST(UpdateRoad, ADifferentBuildIsDownloadedSwappedInAndStarted) {
    UpdateStage stage;
    ASSERT_TRUE(stage.exe.ok());
    stage.Publish(kOtherKey, PortalUrl(L"/NewBuild.exe"));
    // Slow enough to see the dialog at work.
    PortalAnswer(L"/NewBuild.exe", L"file=NewBuild.exe&mode=slow&chunk=16384&delay_ms=40");

    LauncherProcess first(stage.exe.path(), L"/ZuvaD");
    HWND progress = WaitForWindow(first.pid(), kDialogClass, kProgressTitle, 15000);
    ASSERT_NE(progress, nullptr) << "the progress dialog shows";
    EXPECT_TRUE(::GetWindowLongW(progress, GWL_EXSTYLE) & WS_EX_TOPMOST);
    ::Sleep(700);
    CaptureWindowPng(progress, L"update-progress.png");

    ASSERT_TRUE(first.WaitForExit(60000));
    EXPECT_EQ(first.ExitCode(), 0u);
    EXPECT_EQ(ReadFileBytes(stage.exe.path()).size(), stage.newBuildSize) << "the new build stands in place";
    EXPECT_TRUE(FileExists(stage.Path(L"OldZuva.exe")));
    EXPECT_FALSE(FileExists(stage.Path(L"NewZuva.exe")));
    EXPECT_FALSE(FileExists(stage.Path(L"ConfigZuva.htm"))) << "the configuration is deleted after reading";

    // OldZuva.exe is to go at the next reboot.
    HKEY key = nullptr;
    ASSERT_EQ(::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_READ, &key), ERROR_SUCCESS);
    fw::RegKey owned(key);
    std::vector<wchar_t> pending(32768, 0);
    DWORD size = static_cast<DWORD>(pending.size() * sizeof(wchar_t));
    ::RegQueryValueExW(key, L"PendingFileRenameOperations", nullptr, nullptr,
                       reinterpret_cast<BYTE*>(pending.data()), &size);
    std::wstring names(pending.data(), size / sizeof(wchar_t));
    EXPECT_NE(names.find(L"OldZuva.exe"), std::wstring::npos);

    SYSTEMTIME now{};
    ::GetSystemTime(&now);
    EXPECT_EQ(ReadUpdTime().wDay, now.wDay) << "the update day is recorded";

    // The new build was started: an installed start, which shows the main window.
    HWND restarted = nullptr;
    for (int i = 0; i < 300 && !restarted; ++i, ::Sleep(50)) {
        HWND w = ::FindWindowW(kDialogClass, kMainTitle);
        if (w && ::IsWindowVisible(w) && ProcessOfWindow(w) != first.pid()) restarted = w;
    }
    ASSERT_NE(restarted, nullptr) << "the new executable runs";
    const DWORD restartedPid = ProcessOfWindow(restarted);
    ::PostMessageW(restarted, WM_SYSCOMMAND, SC_CLOSE, 0);
    fw::KernelHandle process(::OpenProcess(SYNCHRONIZE, FALSE, restartedPid));
    if (process) ::WaitForSingleObject(process.get(), 10000);

    // A second start the same day does not check again.
    const int configFetches = PortalCount(L"/update/ConfigZuva.htm");
    LauncherProcess second(stage.exe.path(), L"/ZuvaD");
    CloseMainWindow(second.pid());
    ASSERT_TRUE(second.WaitForExit(10000));
    EXPECT_EQ(PortalCount(L"/update/ConfigZuva.htm"), configFetches);
}

TEST(UpdateRoad, EscapeDuringTheDownloadCancelsAndTheLauncherStartsNormally) {
    UpdateStage stage;
    stage.Publish(kOtherKey, PortalUrl(L"/NewBuild.exe"));
    PortalAnswer(L"/NewBuild.exe", L"file=NewBuild.exe&mode=slow&chunk=4096&delay_ms=100");

    LauncherProcess launcher(stage.exe.path(), L"/ZuvaD");
    HWND progress = WaitForWindow(launcher.pid(), kDialogClass, kProgressTitle, 15000);
    ASSERT_NE(progress, nullptr);
    ::Sleep(600);
    const DWORD escapeAt = ::GetTickCount();
    ::PostMessageW(progress, WM_KEYDOWN, VK_ESCAPE, 1);
    HWND main = WaitForWindow(launcher.pid(), kDialogClass, kMainTitle, 15000);
    ASSERT_NE(main, nullptr) << "a normal start follows";
    EXPECT_LT(::GetTickCount() - escapeAt, 3000u) << "the dialog ends at once";
    EXPECT_FALSE(::IsWindow(progress));
    const std::string partial = ReadFileBytes(stage.Path(L"NewZuva.exe"));
    EXPECT_GT(partial.size(), 0u) << "the partial file stays";
    EXPECT_LT(partial.size(), stage.newBuildSize);
    EXPECT_NE(ReadFileBytes(stage.exe.path()).size(), stage.newBuildSize) << "not swapped";
    EXPECT_EQ(ReadUpdTime().wYear, 0) << "no update day";
    ::PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(launcher.WaitForExit(10000));
}

TEST(UpdateRoad, AnAddressOutsideThePortalEndsAtOnceWithNoFile) {
    UpdateStage stage;
    stage.Publish(kOtherKey, L"http://evil.example/NewBuild.exe?127.0.0.1");
    LauncherProcess launcher(stage.exe.path(), L"/ZuvaD");
    HWND main = WaitForWindow(launcher.pid(), kDialogClass, kMainTitle, 15000);
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(FileExists(stage.Path(L"NewZuva.exe")));
    EXPECT_EQ(PortalCount(L"/NewBuild.exe"), 0);
    ::PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(launcher.WaitForExit(10000));
}

TEST(UpdateRoad, TheSameBuildOrNoConfigurationMeansNoUpdate) {
    UpdateStage stage;
    PortalAnswer(L"/update/ConfigZuva.htm", L"status=404&body=none");
    LauncherProcess launcher(stage.exe.path(), L"/ZuvaD");
    CloseMainWindow(launcher.pid());
    ASSERT_TRUE(launcher.WaitForExit(10000));
    EXPECT_EQ(PortalCount(L"/update/ConfigZuva.htm"), 1);
    EXPECT_FALSE(FileExists(stage.Path(L"ConfigZuva.htm"))) << "nothing was written for a 404";
    EXPECT_EQ(PortalCount(L"/NewBuild.exe"), 0);

    // An installed start (no switch) never checks.
    LauncherProcess installed(stage.exe.path(), L"");
    CloseMainWindow(installed.pid());
    ASSERT_TRUE(installed.WaitForExit(10000));
    EXPECT_EQ(PortalCount(L"/update/ConfigZuva.htm"), 1);
}

TEST(UpdateRoad, AFailedSwapPutsTheRunningExecutableBack) {
    UpdateStage stage;
    stage.Publish(kOtherKey, PortalUrl(L"/NewBuild.exe"));
    PortalAnswer(L"/NewBuild.exe", L"file=NewBuild.exe");
    // A folder where OldZuva.exe would go makes the first rename fail.
    ASSERT_TRUE(::CreateDirectoryW(stage.Path(L"OldZuva.exe").c_str(), nullptr));
    LauncherProcess launcher(stage.exe.path(), L"/ZuvaD");
    HWND main = WaitForWindow(launcher.pid(), kDialogClass, kMainTitle, 30000);
    ASSERT_NE(main, nullptr) << "no swap: the launcher goes on as a normal start";
    EXPECT_NE(ReadFileBytes(stage.exe.path()).size(), stage.newBuildSize);
    EXPECT_GT(ReadFileBytes(stage.exe.path()).size(), 0u);
    EXPECT_EQ(ReadUpdTime().wYear, 0);
    ::PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(launcher.WaitForExit(10000));
    ::RemoveDirectoryW(stage.Path(L"OldZuva.exe").c_str());
}

TEST(UpdateRoad, TheUpdateSwitchDownloadsWhateverTheDay) {
    UpdateStage stage;
    ASSERT_TRUE(WriteUpdTime());  // updated today: an automatic check would rest
    stage.Publish(kOtherKey, PortalUrl(L"/NewBuild.exe"));
    PortalAnswer(L"/NewBuild.exe", L"file=NewBuild.exe");
    LauncherProcess updater(stage.exe.path(), L"/update");
    ASSERT_TRUE(updater.WaitForExit(60000));
    EXPECT_EQ(ReadFileBytes(stage.exe.path()).size(), stage.newBuildSize);
    // The new build was started without arguments: an installed start.
    HWND restarted = nullptr;
    for (int i = 0; i < 300 && !restarted; ++i, ::Sleep(50)) {
        HWND w = ::FindWindowW(kDialogClass, kMainTitle);
        if (w && ::IsWindowVisible(w)) restarted = w;
    }
    ASSERT_NE(restarted, nullptr);
    fw::KernelHandle process(::OpenProcess(SYNCHRONIZE, FALSE, ProcessOfWindow(restarted)));
    ::PostMessageW(restarted, WM_SYSCOMMAND, SC_CLOSE, 0);
    if (process) ::WaitForSingleObject(process.get(), 10000);
}
