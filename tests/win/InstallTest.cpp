// Self-installation as a player meets it: the downloaded launcher, started
// from wherever it was saved, installs itself, makes its links, reports the
// installation and hands over to the installed copy.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>

#include <shlobj.h>

#include "app/DataFolderRecord.h"
#include "app/LaunchModeWin.h"
#include "app/ShortcutPaths.h"
#include "cache/DeleteTree.h"
#include "base/SettingsStore.h"
#include "InstallStage.h"
#include "LauncherDriver.h"
#include "Screenshot.h"

using namespace wintest;

namespace {
// A launcher saved outside the data folder, as a download would be.
struct Download {
    Download() : folder(TempFolder() + L"zuva-download"), exe(ScriptedExe(), folder, L"Zuva.exe") {}
    std::wstring folder;
    PlacedCopy exe;
};

// Each process's start-up marks (the scripted build writes them to the file
// ZUVA_STARTUP_TRACE names, and the installed copy inherits the variable).
std::map<std::string, std::vector<std::string>> MarksByProcess(const std::wstring& trace) {
    std::map<std::string, std::vector<std::string>> marks;
    std::istringstream lines(ReadFileBytes(trace));
    for (std::string line; std::getline(lines, line);) {
        const size_t pidEnd = line.find('\t'), markStart = line.rfind('\t');
        if (pidEnd == std::string::npos || markStart == pidEnd) continue;
        marks[line.substr(0, pidEnd)].push_back(line.substr(markStart + 1, line.find_last_not_of('\r') - markStart));
    }
    return marks;
}

// Runs the saved launcher with no switch, expects it to end by itself, and
// ends the installed copy it started (after its main window came up).
void RunInstaller(const Download& download, const InstallStage& stage) {
    LauncherProcess installer(download.exe.path(), L"");
    ASSERT_TRUE(installer.started());
    ASSERT_TRUE(installer.WaitForExit(30000)) << "the installer ends by itself";
    EXPECT_EQ(installer.ExitCode(), 0u);
    HWND main = WaitForMainWindowOf(stage.DataFile(L"Zuva.exe"), 20000);
    ASSERT_NE(main, nullptr) << "the installed copy runs and shows its main window";
    LauncherProcess installed(ProcessOfWindow(main));
    ::PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(installed.WaitForExit(10000));
}

// Someone's folder where the data folder belongs, made before the first
// installation, with no note of the installer's: a program of theirs named
// like ours in it (one that ends at once, showing nothing), marked read-only
// and held open for reading. The data folder the test found is kept aside
// and put back afterwards.
struct SquattedDataFolder {
    SquattedDataFolder() : folder(GetDataFolder()), kept(folder + L".zuva-test-kept"), planted(folder + L"\\Zuva.exe") {
        keptIt = ::MoveFileExW(folder.c_str(), kept.c_str(), 0) != FALSE;
        ::SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
        ::CopyFileW((BuildDir() + L"\\zuva_newbuild_quiet.exe").c_str(), planted.c_str(), FALSE);
        plantedBytes = ReadFileBytes(planted);
        ::SetFileAttributesW(planted.c_str(), FILE_ATTRIBUTE_READONLY);
        held.reset(::CreateFileW(planted.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        ::RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, L"Software\\Korvel\\GameLogin", L"ZuvaDataFolder");
    }
    ~SquattedDataFolder() {
        held.reset();
        for (std::wstring aside; !(aside = Aside()).empty();) DeleteTree(aside);
        DeleteTree(folder);
        if (keptIt) ::MoveFileExW(kept.c_str(), folder.c_str(), 0);
    }
    // A folder the installer moved out of the data folder's way, or "".
    std::wstring Aside() const {
        WIN32_FIND_DATAW entry{};
        const fw::FindFileHandle find(::FindFirstFileW((folder + L".aside-*").c_str(), &entry));
        return find ? folder.substr(0, folder.rfind(L'\\') + 1) + entry.cFileName : std::wstring();
    }
    const std::wstring folder, kept, planted;
    std::string plantedBytes;
    fw::FileHandle held;
    bool keptIt = false;
};

void ExpectPingHead(const std::string& head, const std::string& requestLine) {
    EXPECT_EQ(head.rfind("GET " + requestLine + " HTTP/1.1\r\n", 0), 0u) << head;
    EXPECT_NE(head.find("\r\nUser-Agent: Vek\r\n"), std::string::npos) << head;
    EXPECT_TRUE(head.find("\r\nAccept-Language: zh-cn \r\n") != std::string::npos ||
                head.find("\r\nAccept-Language: zh-cn\r\n") != std::string::npos)
        << head;
    EXPECT_NE(head.find("\r\nContent-Type: application/x-www-form-urlencoded\r\n"), std::string::npos) << head;
}

void ExpectLink(const std::wstring& linkPath, const std::wstring& target, const std::wstring& arguments,
                const std::wstring& description) {
    const LinkInfo link = ReadLink(linkPath);
    ASSERT_TRUE(link.read) << "no link at " << std::string(linkPath.begin(), linkPath.end());
    EXPECT_EQ(link.target, target);
    EXPECT_EQ(link.arguments, arguments);
    EXPECT_EQ(link.description, description);
    EXPECT_EQ(link.iconPath, target);
    EXPECT_EQ(link.iconIndex, 0);
}
}  // namespace

TEST(Install, FirstRunCopiesLinksPingsAndStartsTheInstalledCopy) {
    InstallStage stage;
    Download download;
    ASSERT_TRUE(download.exe.ok());
    // A per-user link of an earlier version on the installing user's desktop.
    const std::wstring legacy = stage.LegacyUserLink();
    ASSERT_FALSE(legacy.empty());
    {
        fw::FileHandle made(::CreateFileW(legacy.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    ASSERT_TRUE(FileExists(legacy));

    const std::wstring trace = TempFolder() + L"zuva-install-trace.tsv";
    ::DeleteFileW(trace.c_str());
    ::SetEnvironmentVariableW(L"ZUVA_STARTUP_TRACE", trace.c_str());
    RunInstaller(download, stage);
    ::SetEnvironmentVariableW(L"ZUVA_STARTUP_TRACE", nullptr);
    // Both processes made the data folder the administrators' without a
    // failed call (Wine keeps no DACL, so each finds it needs doing), the
    // installed copy before it read anything from there.
    const auto marks = MarksByProcess(trace);
    ::DeleteFileW(trace.c_str());
    ASSERT_EQ(marks.size(), 2u);
    for (const auto& [pid, steps] : marks) {
        SCOPED_TRACE(pid);
        const auto isSecured = [](const std::string& step) { return step.rfind("data folder secured: ", 0) == 0; };
        const auto first = std::find_if(steps.begin(), steps.end(), isSecured);
        const auto read = std::find(steps.begin(), steps.end(), "launch mode and events");
        ASSERT_TRUE(first != steps.end() && read != steps.end());
        EXPECT_LT(first - steps.begin(), read - steps.begin()) << "looked at before anything is read";
        const std::string last = *std::find_if(steps.rbegin(), steps.rend(), isSecured);
        EXPECT_TRUE(last.find(" set, 0 failed") != std::string::npos && last.find(": 0 set") == std::string::npos)
            << last;
    }

    const std::wstring installed = stage.DataFile(L"Zuva.exe");
    EXPECT_EQ(ReadFileBytes(installed), ReadFileBytes(ScriptedExe())) << "the copy is whole";
    ExpectLink(stage.DesktopLink(kGameLinkName), installed, L"/ZuvaD", L"KorvelFerrowind极速登录器");
    ExpectLink(stage.StartMenuLink(kGameLinkName), installed, L"/ZuvaD", L"");
    ExpectLink(stage.StartMenuLink(kUninstallLinkName), installed, L"/uninst", L"");
    EXPECT_FALSE(FileExists(legacy)) << "the machine-wide link takes the per-user one's place";
    EXPECT_FALSE(FileExists(stage.DesktopLink(kPortalGamesLinkName))) << "never made";

    EXPECT_EQ(PortalCount(L"/install.htm"), 1);
    ExpectPingHead(PortalLog(L"/install.htm"), "/install.htm?tag=zuva&ver=3.0.0.1&count=1");
    EXPECT_EQ(stage.Counter(L"Inst"), L"1");
    // The installed copy ran in its plain mode: a game start, no update check.
    EXPECT_EQ(PortalCount(L"/active.htm"), 1);
    ExpectPingHead(PortalLog(L"/active.htm"), "/active.htm?tag=zuva&ver=3.0.0.1&count=1");
    EXPECT_EQ(stage.Counter(L"Game"), L"1");
    EXPECT_EQ(PortalCount(L"/update/ConfigZuva.htm"), 0);

    // Three rest days of the week (two may coincide), the last byte zero.
    HKEY key = nullptr;
    ASSERT_EQ(::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRegistryKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    fw::RegKey owned(key);
    BYTE days[8] = {};
    DWORD type = 0, size = sizeof(days);
    ASSERT_EQ(::RegQueryValueExW(key, L"DisableDays", nullptr, &type, days, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    ASSERT_EQ(size, 4u);
    for (int i = 0; i < 3; ++i) EXPECT_LT(days[i], 7);
    EXPECT_EQ(days[3], 0);
    EXPECT_NE(days[0], days[1]);
}

TEST(Install, ASecondRunOverwritesTheCopyAndCountsTwo) {
    InstallStage stage;
    Download download;
    ASSERT_TRUE(download.exe.ok());
    RunInstaller(download, stage);
    // Something else now stands where the launcher was installed.
    {
        fw::FileHandle stale(::CreateFileW(stage.DataFile(L"Zuva.exe").c_str(), GENERIC_WRITE, 0, nullptr,
                                           CREATE_ALWAYS, 0, nullptr));
        ASSERT_TRUE(stale);
    }
    RunInstaller(download, stage);

    EXPECT_EQ(ReadFileBytes(stage.DataFile(L"Zuva.exe")), ReadFileBytes(ScriptedExe())) << "overwritten";
    EXPECT_EQ(PortalCount(L"/install.htm"), 2);
    const std::string heads = PortalLog(L"/install.htm");
    EXPECT_NE(heads.find("GET /install.htm?tag=zuva&ver=3.0.0.1&count=2 HTTP/1.1\r\n"), std::string::npos) << heads;
    EXPECT_EQ(stage.Counter(L"Inst"), L"2");
    ExpectLink(stage.StartMenuLink(kGameLinkName), stage.DataFile(L"Zuva.exe"), L"/ZuvaD", L"");
}

// The installer starts only what it wrote: a folder it did not make is moved
// out of the way with all in it, untouched, and the copy is made in a folder
// made new. (On Windows the open file may keep the folder from moving; then
// the installation stops as below, and still nothing of theirs runs.)
TEST(Install, AFolderItDidNotMakeIsMovedAsideAndNothingOfItRuns) {
    InstallStage stage;
    Download download;
    ASSERT_TRUE(download.exe.ok());
    SquattedDataFolder squat;
    ASSERT_TRUE(squat.held);
    RunInstaller(download, stage);
    EXPECT_EQ(ReadFileBytes(stage.DataFile(L"Zuva.exe")), ReadFileBytes(ScriptedExe())) << "our copy";
    EXPECT_EQ(ReadFileBytes(squat.Aside() + L"\\Zuva.exe"), squat.plantedBytes) << "theirs, moved and untouched";
    EXPECT_EQ(stage.Counter(L"Inst"), L"1");
}

// A file where the copy goes that cannot be moved away (another program
// holds it without letting it be deleted): the installation stops with a
// message, starts nothing and counts nothing.
TEST(Install, ACopyThatCannotBeWrittenStopsTheInstallationAndStartsNothing) {
    InstallStage stage;
    Download download;
    ASSERT_TRUE(download.exe.ok());
    // The data folder of an earlier installation.
    ::SHCreateDirectoryExW(nullptr, GetDataFolder().c_str(), nullptr);
    ASSERT_TRUE(RecordDataFolder(GetDataFolder()));
    ASSERT_TRUE(WriteFileBytes(stage.DataFile(L"Zuva.exe"), "someone else's"));
    fw::FileHandle held(::CreateFileW(stage.DataFile(L"Zuva.exe").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    LauncherProcess installer(download.exe.path(), L"");
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = ::FindWindowW(L"#32770", L"KorvelFerrowind")) && ::IsWindowVisible(box); },
                          20000));
    EXPECT_EQ(MessageBoxText(box), L"安装失败，请稍后重新运行安装程序。");
    CaptureWindowPng(box, L"install-failed.png");
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(5000, BN_CLICKED), 0);
    ASSERT_TRUE(installer.WaitForExit(10000));
    held.reset();
    EXPECT_EQ(ReadFileBytes(stage.DataFile(L"Zuva.exe")), "someone else's");
    EXPECT_EQ(WaitForMainWindowOf(stage.DataFile(L"Zuva.exe"), 1000), nullptr) << "nothing started";
    EXPECT_EQ(stage.Counter(L"Inst"), L"");
    EXPECT_EQ(PortalCount(L"/install.htm"), 0);
}
