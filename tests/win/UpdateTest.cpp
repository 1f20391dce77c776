// Self-update as a player meets it: a shortcut start that finds a different
// build downloads it under the progress dialog, checks that it is the build
// the key names, signed by the publisher the build names and newer than the
// running one, swaps it in, starts it, and puts the previous build back when
// the new one cannot start or crashes within its watch.
#include <gtest/gtest.h>

#include <fstream>

#include "app/LaunchModeWin.h"
#include "base/SettingsStore.h"
#include "LauncherDriver.h"
#include "net/FileDigest.h"
#include "net/UpdateLock.h"
#include "net/Updater.h"
#include "net/UpdateRules.h"
#include "PortalClient.h"
#include "resource.h"
#include "Screenshot.h"
#include "SkinnedAtScale.h"
#include "ui/SkinCatalog.h"
#include "ui/WindowDpi.h"
#include "ui/MessageBox.h"
#include "WinTestSupport.h"

using namespace wintest;

namespace {
const wchar_t kSessionManager[] = L"System\\CurrentControlSet\\Control\\Session Manager";
const wchar_t kProgressTitle[] = L"版本更新中...";

std::wstring KeyOf(const std::wstring& file) {
    std::wstring digest;
    if (!FileMd5Hex(file, &digest)) return std::wstring();
    return LocalVersionKey(digest, VersionDigits(kProgramVersion));
}

std::wstring SignedBuild(const wchar_t* name) { return BuildDir() + L"\\signed\\" + name; }

// An installed launcher (`running` placed as the data folder's Zuva.exe)
// with a clean update state, all put back afterwards.
struct UpdateStage {
    explicit UpdateStage(const std::wstring& running = ScriptedExe())
        : updTime(HKEY_LOCAL_MACHINE, kRegistryKey, L"UpdTime"),
          disableDays(HKEY_LOCAL_MACHINE, kRegistryKey, L"DisableDays"),
          failedKey(HKEY_LOCAL_MACHINE, kRegistryKey, L"FailedKey"),
          pendingRenames(HKEY_LOCAL_MACHINE, kSessionManager, L"PendingFileRenameOperations"),
          exe(running, GetDataFolder(), L"Zuva.exe"),
          ini(GetDataFolder() + L"\\Statistic.ini"),
          newBuild(PortalRoot() + L"\\NewBuild.exe") {
        HKEY key = nullptr;
        if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kRegistryKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) ==
            ERROR_SUCCESS) {
            for (const wchar_t* name : {L"UpdTime", L"DisableDays", L"FailedKey"}) ::RegDeleteValueW(key, name);
            ::RegCloseKey(key);
        }
        before = ReadFileBytes(exe.path());
        // The build the portal publishes: a newer launcher, signed by the
        // publisher the scripted build names, that really runs.
        ::CopyFileW(SignedBuild(L"new-A.exe").c_str(), newBuild.c_str(), FALSE);
        newBuildSize = ReadFileBytes(newBuild).size();
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
    // Publishes `file` as the new build under its own key (or `key`).
    void PublishBuild(const std::wstring& file, const std::wstring& key = std::wstring()) {
        ::CopyFileW(file.c_str(), newBuild.c_str(), FALSE);
        Publish(key.empty() ? KeyOf(newBuild) : key, PortalUrl(L"/NewBuild.exe"));
        PortalAnswer(L"/NewBuild.exe", L"file=NewBuild.exe");
    }
    bool Untouched() const { return ReadFileBytes(exe.path()) == before; }

    PortalSession portal;
    RegistryValueBackup updTime, disableDays, failedKey, pendingRenames;
    PlacedCopy exe;
    FileBackup ini;
    std::wstring newBuild;
    size_t newBuildSize = 0;
    std::string before;  // the running build's bytes
};

const std::wstring kOtherKey = L"00000000000000000000000000000000";

// Closes a main window and waits for its process to end.
void CloseMainWindow(DWORD pid) {
    HWND main = WaitForWindow(pid, kDialogClass, kMainTitle, 15000);
    ASSERT_NE(main, nullptr);
    ::PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
}

// A shortcut start that must not take the published build: the same process
// goes on to its main window and the running build stays as it was.
void ExpectRefused(UpdateStage& stage, const std::string& what) {
    SCOPED_TRACE(what);
    LauncherProcess launcher(stage.exe.path(), L"/ZuvaD");
    CloseMainWindow(launcher.pid());
    EXPECT_TRUE(launcher.WaitForExit(10000));
    EXPECT_TRUE(stage.Untouched()) << "the running build is byte for byte the same";
    EXPECT_FALSE(FileExists(stage.Path(L"NewZuva.exe"))) << "nothing of the download stays";
    EXPECT_FALSE(FileExists(stage.Path(L"OldZuva.exe")));
    EXPECT_EQ(ReadUpdTime().wYear, 0) << "no update day";
}

// Whether the system is to delete `path` at the next reboot.
bool IsDueForDeletionAtReboot(const std::wstring& path) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    fw::RegKey owned(key);
    std::wstring list(32768, L'\0');
    DWORD size = static_cast<DWORD>(list.size() * sizeof(wchar_t));
    if (::RegQueryValueExW(key, L"PendingFileRenameOperations", nullptr, nullptr, reinterpret_cast<BYTE*>(&list[0]),
                           &size) != ERROR_SUCCESS)
        return false;
    list.resize(size / sizeof(wchar_t));
    return WithoutPendingDeletionOf(list, path) != list;
}

// What the launcher counts and reports: the usage counters of the data
// folder's Statistic.ini and the pings that reached the portal.
std::wstring UsageTrail() {
    std::wstring trail;
    for (const wchar_t* counter : {L"Inst", L"UnInst", L"Game", L"Korvel"})
        trail += std::wstring(counter) + L"=" + ReadZuvaValue(IniLocation::DataFolder, counter, L"", 32) + L" ";
    for (const wchar_t* ping : {L"/install.htm", L"/active.htm", L"/uninstall.htm"})
        trail += std::wstring(ping) + L":" + std::to_wstring(PortalCount(ping)) + L" ";
    return trail;
}

// Answers a message box with its OK button; the process behind it goes on to
// its main window, which is then closed.
void AcknowledgeAndClose(HWND box) {
    const DWORD pid = ProcessOfWindow(box);
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(CMessageBox::kIdButton1, BN_CLICKED), 0);
    LauncherInstance after(pid);
    EXPECT_NE(after.main, nullptr) << "the start goes on with the build that works";
}
}  // namespace

TEST(UpdateRoad, ADifferentBuildIsDownloadedSwappedInAndStarted) {
    UpdateStage stage;
    ASSERT_TRUE(stage.exe.ok());
    stage.Publish(KeyOf(stage.newBuild), PortalUrl(L"/NewBuild.exe"));
    // Slow enough to see the dialog at work.
    PortalAnswer(L"/NewBuild.exe", L"file=NewBuild.exe&mode=slow&chunk=16384&delay_ms=40");

    LauncherProcess first(stage.exe.path(), L"/ZuvaD");
    HWND progress = WaitForWindow(first.pid(), kDialogClass, kProgressTitle, 15000);
    ASSERT_NE(progress, nullptr) << "the progress dialog shows";
    EXPECT_TRUE(::GetWindowLongW(progress, GWL_EXSTYLE) & WS_EX_TOPMOST);
    // At its display's scale: the frame, and the bar as large as its track.
    ExpectSkinnedAtItsScale(progress, IDB_CLOSE_BUTTON, 30, 0, 0);
    RECT bar{};
    ::GetWindowRect(::GetDlgItem(progress, IDC_UPDATE_PROGRESS), &bar);
    const Size track = SkinImageSize(IDB_PROGRESS_BACK, ScaleOfWindow(progress).dpi());
    EXPECT_EQ(bar.right - bar.left, track.cx);
    EXPECT_EQ(bar.bottom - bar.top, track.cy);
    ::Sleep(700);
    CaptureWindowPng(progress, L"update-progress.png");

    ASSERT_TRUE(first.WaitForExit(60000));
    EXPECT_EQ(first.ExitCode(), 0u);
    EXPECT_EQ(ReadFileBytes(stage.exe.path()).size(), stage.newBuildSize) << "the new build stands in place";
    EXPECT_TRUE(FileExists(stage.Path(L"OldZuva.exe")));
    EXPECT_FALSE(FileExists(stage.Path(L"NewZuva.exe")));
    EXPECT_FALSE(FileExists(stage.Path(L"ConfigZuva.htm"))) << "the configuration is deleted after reading";

    EXPECT_TRUE(IsDueForDeletionAtReboot(stage.Path(L"OldZuva.exe"))) << "the previous build goes at the next reboot";

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
    EXPECT_GT(PortalCount(L"/NewBuild.exe"), 0) << "the download had begun";
    EXPECT_FALSE(FileExists(stage.Path(L"NewZuva.exe"))) << "nothing of it stays";
    EXPECT_TRUE(stage.Untouched()) << "not swapped";
    EXPECT_EQ(ReadUpdTime().wYear, 0) << "no update day";
    ::PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(launcher.WaitForExit(10000));

    // Asked for ("/update") and cancelled: the main window opens as well, but
    // the start counts nothing and reports nothing.
    const std::wstring trail = UsageTrail();
    const int downloads = PortalCount(L"/NewBuild.exe");
    LauncherProcess updater(stage.exe.path(), L"/update");
    progress = WaitForWindow(updater.pid(), kDialogClass, kProgressTitle, 15000);
    ASSERT_NE(progress, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return PortalCount(L"/NewBuild.exe") > downloads; }, 10000));
    ::PostMessageW(progress, WM_KEYDOWN, VK_ESCAPE, 1);
    main = WaitForWindow(updater.pid(), kDialogClass, kMainTitle, 15000);
    ASSERT_NE(main, nullptr);
    ::PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(updater.WaitForExit(10000));
    EXPECT_EQ(UsageTrail(), trail);

    // A request still being sent: the host drips even its status line.
    PortalAnswer(L"/NewBuild.exe", L"file=NewBuild.exe&mode=drip&delay_ms=500");
    LauncherProcess dripped(stage.exe.path(), L"/ZuvaD");
    progress = WaitForWindow(dripped.pid(), kDialogClass, kProgressTitle, 15000);
    ASSERT_NE(progress, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return PortalCount(L"/NewBuild.exe") > downloads + 1; }, 10000));
    ::Sleep(1000);
    const DWORD escapeWhileSending = ::GetTickCount();
    ::PostMessageW(progress, WM_KEYDOWN, VK_ESCAPE, 1);
    main = WaitForWindow(dripped.pid(), kDialogClass, kMainTitle, 15000);
    ASSERT_NE(main, nullptr);
    EXPECT_LT(::GetTickCount() - escapeWhileSending, 3000u) << "the dialog ends at once";
    EXPECT_FALSE(FileExists(stage.Path(L"NewZuva.exe")));
    EXPECT_TRUE(stage.Untouched());
    ::PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(dripped.WaitForExit(10000));
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

    // Today's weekday (UTC) among the rest days, in the last of the three
    // places: a shortcut start rests. On the other days it checks.
    SYSTEMTIME now{};
    ::GetSystemTime(&now);
    const uint32_t today = now.wDayOfWeek;
    const auto day = [&](uint32_t ahead) { return (today + ahead) % 7; };
    struct Week {
        uint32_t restDays;
        int fetches;
        const char* what;
    };
    for (const Week week : {Week{day(1) | day(2) << 8 | today << 16, 0, "today rests"},
                            Week{day(1) | day(2) << 8 | day(3) << 16, 1, "today is no rest day"}}) {
        SCOPED_TRACE(week.what);
        const int fetches = PortalCount(L"/update/ConfigZuva.htm");
        ASSERT_TRUE(WriteDisableDays(week.restDays));
        LauncherProcess start(stage.exe.path(), L"/ZuvaD");
        CloseMainWindow(start.pid());
        ASSERT_TRUE(start.WaitForExit(10000));
        EXPECT_EQ(PortalCount(L"/update/ConfigZuva.htm"), fetches + week.fetches);
    }
}

TEST(UpdateRoad, AFailedSwapPutsTheRunningExecutableBack) {
    UpdateStage stage;
    stage.PublishBuild(stage.newBuild);
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
    stage.PublishBuild(stage.newBuild);
    // Any user may make a named object first, as by the lock's former name.
    fw::KernelHandle squatter(::CreateMutexW(nullptr, TRUE, L"Global\\KorvelZuvaUpdate"));
    LauncherProcess updater(stage.exe.path(), L"/update");
    ASSERT_TRUE(updater.WaitForExit(60000));
    EXPECT_EQ(ReadFileBytes(stage.exe.path()).size(), stage.newBuildSize);
    EXPECT_FALSE(FileExists(stage.Path(L"ZuvaUpdate.lock"))) << "the lock goes with its holder";
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

TEST(UpdateRoad, OnlyTheBuildItsKeyNamesIsApplied) {
    UpdateStage stage;
    // A sound executable, but not the one the key names.
    stage.PublishBuild(stage.newBuild, kOtherKey);
    ExpectRefused(stage, "a digest that does not match");
    EXPECT_EQ(PortalCount(L"/NewBuild.exe"), 1);

    // A key that names no digest: nothing to check a download against, so
    // nothing is fetched at all.
    stage.PublishBuild(stage.newBuild, L"not-a-digest-0000000000000003001");
    ExpectRefused(stage, "a key that names no build");
    EXPECT_EQ(PortalCount(L"/NewBuild.exe"), 1);
}

TEST(UpdateRoad, OnlyANewerBuildSignedByTheNamedPublisherIsApplied) {
    // The running build is unsigned: its own signature decides nothing.
    UpdateStage stage;
    ASSERT_TRUE(stage.exe.ok());
    stage.PublishBuild(SignedBuild(L"new-unsigned.exe"));
    ExpectRefused(stage, "an unsigned build under its exact key");
    stage.PublishBuild(SignedBuild(L"new-B.exe"));
    ExpectRefused(stage, "a build signed with another key");
    stage.PublishBuild(SignedBuild(L"new-A-altered.exe"));
    ExpectRefused(stage, "one byte changed after signing");
    stage.PublishBuild(SignedBuild(L"old-A.exe"));
    ExpectRefused(stage, "an older build of the same publisher");
    // Another program of the same publisher, newer, under its exact key.
    stage.PublishBuild(SignedBuild(L"foreign-A.exe"));
    LauncherProcess updater(stage.exe.path(), L"/update");  // as the menu starts it
    HWND box = WaitForMessageBoxOfAnother(0, 45000);
    ASSERT_NE(box, nullptr) << "a build that names another product is refused";
    EXPECT_EQ(MessageBoxText(box), L"更新文件校验失败，继续使用当前版本。");
    AcknowledgeAndClose(box);
    EXPECT_TRUE(stage.Untouched());

    stage.PublishBuild(SignedBuild(L"new-A.exe"));
    LauncherProcess launcher(stage.exe.path(), L"/ZuvaD");
    ASSERT_TRUE(launcher.WaitForExit(60000)) << "the same signer's build is applied";
    EXPECT_TRUE(ReadFileBytes(stage.exe.path()) == ReadFileBytes(SignedBuild(L"new-A.exe")));
    HWND restarted = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (restarted = ::FindWindowW(kDialogClass, kMainTitle)) != nullptr; }, 15000));
    CloseMainWindow(ProcessOfWindow(restarted));
}

TEST(UpdateRoad, ABuildThatFailsItsWatchIsRolledBackAndNotFetchedAgain) {
    struct Failure {
        const wchar_t* build;
        bool removed;  // a scanner takes the swapped-in file away before it starts
        const char* what;
    };
    for (const Failure failure : {Failure{L"crash-A.exe", false, "crashes as it starts"},
                                  Failure{L"latecrash-A.exe", false, "crashes a second after its window"},
                                  Failure{L"new-A.exe", true, "removed before it could start"}}) {
        SCOPED_TRACE(failure.what);
        UpdateStage stage;
        const std::wstring failed = SignedBuild(failure.build);
        stage.PublishBuild(failed);
        const std::wstring key = KeyOf(failed);
        if (failure.removed) ::SetEnvironmentVariableW(L"ZUVA_TEST_REMOVE_NEW_BUILD", L"1");
        LauncherProcess first(stage.exe.path(), L"/ZuvaD");
        ::SetEnvironmentVariableW(L"ZUVA_TEST_REMOVE_NEW_BUILD", nullptr);
        // The previous build goes on: this very process reaches its main window.
        HWND main = WaitForWindow(first.pid(), kDialogClass, kMainTitle, 45000);
        ASSERT_NE(main, nullptr) << "the previous build's main window";
        EXPECT_TRUE(stage.Untouched()) << "the previous build stands in place, byte for byte";
        // The failed build, when there is one, waits as OldZuva.exe for the
        // reboot; the previous build is due for nothing.
        const std::wstring old = stage.Path(L"OldZuva.exe");
        if (failure.removed) {
            EXPECT_FALSE(FileExists(old));
        } else {
            EXPECT_TRUE(ReadFileBytes(old) == ReadFileBytes(failed));
        }
        EXPECT_EQ(IsDueForDeletionAtReboot(old), !failure.removed);
        EXPECT_FALSE(FileExists(stage.Path(L"NewZuva.exe")));
        EXPECT_EQ(ReadUpdTime().wYear, 0) << "no update day";
        EXPECT_EQ(ReadFailedKey(), key);
        ::PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
        ASSERT_TRUE(first.WaitForExit(10000));

        // The next start the same day checks, and downloads nothing.
        const int configFetches = PortalCount(L"/update/ConfigZuva.htm");
        LauncherProcess second(stage.exe.path(), L"/ZuvaD");
        CloseMainWindow(second.pid());
        ASSERT_TRUE(second.WaitForExit(10000));
        EXPECT_EQ(PortalCount(L"/update/ConfigZuva.htm"), configFetches + 1);
        EXPECT_EQ(PortalCount(L"/NewBuild.exe"), 1);
    }
}

TEST(UpdateRoad, TwoLaunchersAtOnceMakeOneSwap) {
    UpdateStage stage;
    stage.PublishBuild(stage.newBuild);
    // Slow enough that the second start comes while the first downloads.
    PortalAnswer(L"/NewBuild.exe", L"file=NewBuild.exe&mode=slow&chunk=65536&delay_ms=150");
    LauncherProcess first(stage.exe.path(), L"/ZuvaD");
    ASSERT_NE(WaitForWindow(first.pid(), kDialogClass, kProgressTitle, 15000), nullptr);
    EXPECT_FALSE(UpdateLock().held()) << "the first holds the update";
    LauncherProcess second(stage.exe.path(), L"/ZuvaD");
    // The second finds the update under way, skips it and opens its window.
    HWND main = WaitForWindow(second.pid(), kDialogClass, kMainTitle, 15000);
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(FindWindows(second.pid(), kDialogClass, kProgressTitle).empty());
    ::PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(second.WaitForExit(10000));
    ASSERT_TRUE(first.WaitForExit(60000));
    EXPECT_EQ(PortalCount(L"/NewBuild.exe"), 1) << "one download";
    EXPECT_EQ(ReadFileBytes(stage.exe.path()).size(), stage.newBuildSize) << "one swap, of the new build";
    HWND restarted = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (restarted = ::FindWindowW(kDialogClass, kMainTitle)) != nullptr; }, 15000));
    CloseMainWindow(ProcessOfWindow(restarted));
}

TEST(UpdateRoad, ABuildThatEndsWithZeroAndNoWindowIsKept) {
    UpdateStage stage;
    const std::wstring quiet = SignedBuild(L"quiet-A.exe");
    stage.PublishBuild(quiet);
    LauncherProcess launcher(stage.exe.path(), L"/ZuvaD");
    ASSERT_TRUE(launcher.WaitForExit(60000));
    EXPECT_EQ(launcher.ExitCode(), 0u);
    EXPECT_TRUE(ReadFileBytes(stage.exe.path()) == ReadFileBytes(quiet)) << "it installed itself elsewhere: kept";
    EXPECT_NE(ReadUpdTime().wYear, 0) << "the update day is recorded";
    EXPECT_EQ(ReadFailedKey(), L"");
}

TEST(UpdateRoad, AnUpdateAskedForFromTheMenuTellsOfARefusalARollbackAndAnotherUnderWay) {
    UpdateStage stage;
    ASSERT_TRUE(WriteUpdTime());  // the shortcut start itself does not check
    stage.PublishBuild(stage.newBuild, kOtherKey);
    {
        LauncherInstance app(stage.exe.path());
        ASSERT_TRUE(app.main && LogIn(app, L"lucky12") && app.WaitForPages(1));
        ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(PageFrames(app.main)[0]) != FALSE; }, 15000));
        const std::wstring trail = UsageTrail();
        ASSERT_TRUE(ChooseMenuItem(app, false, 4));  // 更新
        // This instance makes way; the update runs in a process of its own.
        HWND box = WaitForMessageBoxOfAnother(app.process.pid(), 45000);
        ASSERT_NE(box, nullptr);
        CaptureWindowPng(box, L"update-refused.png");
        EXPECT_EQ(MessageBoxText(box), L"更新文件校验失败，继续使用当前版本。");
        AcknowledgeAndClose(box);
        EXPECT_EQ(UsageTrail(), trail) << "a refused update counts and reports nothing";
    }
    EXPECT_TRUE(stage.Untouched());

    // The update switch is what the menu starts.
    stage.PublishBuild(SignedBuild(L"crash-A.exe"));
    const std::wstring trail = UsageTrail();
    LauncherProcess updater(stage.exe.path(), L"/update");
    HWND box = WaitForMessageBoxOfAnother(0, 45000);
    ASSERT_NE(box, nullptr);
    CaptureWindowPng(box, L"update-rolled-back.png");
    EXPECT_EQ(MessageBoxText(box), L"新版本无法启动，已恢复当前版本。");
    AcknowledgeAndClose(box);
    EXPECT_EQ(UsageTrail(), trail) << "nor does one rolled back";
    EXPECT_TRUE(stage.Untouched());
    // Another launcher updating holds the lock file, shared with nobody.
    fw::FileHandle held(::CreateFileW(stage.Path(L"ZuvaUpdate.lock").c_str(), GENERIC_READ | DELETE, 0, nullptr,
                                      CREATE_NEW, FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    LauncherProcess waiting(stage.exe.path(), L"/update");
    box = WaitForMessageBoxOfAnother(0, 45000);
    ASSERT_NE(box, nullptr);
    CaptureWindowPng(box, L"update-lock-held.png");
    EXPECT_EQ(MessageBoxText(box), L"另一个登录器正在更新，请稍后再试。");
    AcknowledgeAndClose(box);
    EXPECT_TRUE(stage.Untouched());
}
