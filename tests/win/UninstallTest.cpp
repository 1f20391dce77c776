// Uninstallation as a player meets it: the start-menu link's "/uninst", the
// question, the removal, the closing note, and the executable gone once its
// process has ended.
#include <gtest/gtest.h>

#include <shlwapi.h>

#include <algorithm>
#include <iterator>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "app/LaunchModeWin.h"
#include "app/ShortcutPaths.h"
#include "base/SettingsStore.h"
#include "InstallStage.h"
#include "LauncherDriver.h"

using namespace wintest;

namespace {
const WPARAM kYesOrOk = 5000;
const WPARAM kNo = 5001;

// An installed launcher: the executable, its key, its links and the
// portal's desktop link that uninstallation also takes away.
struct Installed {
    explicit Installed(InstallStage& s) : stage(s) {
        ::CreateDirectoryW(FolderOf(GetDataFolder()).c_str(), nullptr);
        ::CreateDirectoryW(GetDataFolder().c_str(), nullptr);
        ::CopyFileW(ScriptedExe().c_str(), exe().c_str(), FALSE);
        WriteDisableDays(0x00050301);
        ::CreateDirectoryW(stage.StartMenuFolder().c_str(), nullptr);
        for (const std::wstring& link : Links()) WriteFileBytes(link, "link");
    }
    static std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.rfind(L'\\')); }
    std::wstring exe() const { return stage.DataFile(L"Zuva.exe"); }
    std::vector<std::wstring> Links() const {
        return {stage.DesktopLink(kGameLinkName), stage.DesktopLink(kPortalGamesLinkName),
                stage.StartMenuLink(kGameLinkName), stage.StartMenuLink(kUninstallLinkName)};
    }
    InstallStage& stage;
};

// Waits for a box of the process other than `other`, and answers it.
HWND WaitForBox(const LauncherProcess& p, HWND other = nullptr) {
    for (int i = 0; i < 300; ++i, ::Sleep(50))
        for (HWND w : FindWindows(p.pid(), kDialogClass, kMainTitle))
            if (w != other && ::IsWindowVisible(w)) return w;
    return nullptr;
}

void Answer(HWND box, WPARAM button) { ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0); }

// The names in `folder` (ending in "\") that match `pattern`.
std::set<std::wstring> NamesIn(const std::wstring& folder, const wchar_t* pattern) {
    std::set<std::wstring> names;
    WIN32_FIND_DATAW found{};
    fw::FindFileHandle find(::FindFirstFileW((folder + pattern).c_str(), &found));
    for (bool more = static_cast<bool>(find); more; more = ::FindNextFileW(find.get(), &found) != FALSE)
        names.insert(found.cFileName);
    return names;
}

std::wstring SystemTempFolder() {
    wchar_t windows[MAX_PATH] = {};
    ::GetSystemWindowsDirectoryW(windows, MAX_PATH);
    return std::wstring(windows) + L"\\Temp\\";
}

std::vector<std::wstring> Added(const std::set<std::wstring>& before, const std::set<std::wstring>& after) {
    std::vector<std::wstring> added;
    std::set_difference(after.begin(), after.end(), before.begin(), before.end(), std::back_inserter(added));
    return added;
}

bool WaitUntilGone(const std::wstring& path, DWORD ms) {
    for (DWORD waited = 0; FileExists(path) && waited < ms; waited += 100) ::Sleep(100);
    return !FileExists(path);
}

// "/uninst" answered Yes, then the closing note answered OK; the process ends.
void UninstallWithYes(const Installed& installed) {
    const std::set<std::wstring> playersBefore = NamesIn(TempFolder(), L"Del*");
    const std::set<std::wstring> before = NamesIn(SystemTempFolder(), L"ZuvaUninstall-*");
    LauncherProcess p(installed.exe(), L"/uninst");
    HWND question = WaitForBox(p);
    ASSERT_NE(question, nullptr) << "the question";
    EXPECT_EQ(MessageBoxText(question), L"确定要移除 KorvelFerrowind极速登录器吗？");
    Answer(question, kYesOrOk);
    HWND note = WaitForBox(p, question);
    ASSERT_NE(note, nullptr) << "the closing note";
    EXPECT_EQ(MessageBoxText(note), L"KorvelFerrowind已成功移除，部分文件将在程序退出\r\n或计算机重启后自行删除");
    EXPECT_TRUE(p.IsRunning()) << "the process waits for the note";
    ::Sleep(1500);  // the script has started and tries meanwhile
    EXPECT_TRUE(FileExists(installed.exe())) << "a running executable is not deleted";
    // The script, under a random name in a folder of its own under a random
    // name in the system's temporary folder, and nothing in the player's.
    EXPECT_TRUE(Added(playersBefore, NamesIn(TempFolder(), L"Del*")).empty()) << "the player's temporary folder";
    const std::vector<std::wstring> folders = Added(before, NamesIn(SystemTempFolder(), L"ZuvaUninstall-*"));
    ASSERT_EQ(folders.size(), 1u);
    EXPECT_TRUE(std::regex_match(folders[0], std::wregex(L"ZuvaUninstall-[0-9A-F]{8}"))) << folders[0];
    const std::wstring scriptFolder = SystemTempFolder() + folders[0] + L"\\";
    const std::set<std::wstring> files = NamesIn(scriptFolder, L"*.*");
    ASSERT_EQ(files.size(), 3u) << "., .. and the script alone";
    const std::wstring script = *files.rbegin();
    EXPECT_TRUE(std::regex_match(script, std::wregex(L"Del[0-9A-F]{8}\\.tmp\\.bat"))) << script;
    Answer(note, kYesOrOk);
    ASSERT_TRUE(p.WaitForExit(20000));
    EXPECT_EQ(p.ExitCode(), 0u);
    // The script deletes itself and then its folder on one line. Wine's cmd
    // holds the script open to its end, so the folder stays there, empty;
    // cmd on Windows reads each line anew and the folder goes too.
    EXPECT_TRUE(WaitUntilGone(scriptFolder + script, 20000)) << "the script deletes itself";
    ::RemoveDirectoryW(scriptFolder.c_str());
}
}  // namespace

TEST(Uninstall, NoChangesNothing) {
    InstallStage stage;
    Installed installed(stage);
    LauncherProcess p(installed.exe(), L"/uninst");
    HWND question = WaitForBox(p);
    ASSERT_NE(question, nullptr);
    Answer(question, kNo);
    ASSERT_TRUE(p.WaitForExit(10000));
    EXPECT_EQ(p.ExitCode(), 0u);
    ::Sleep(1500);  // a script would have had time to act
    EXPECT_TRUE(FileExists(installed.exe()));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kRegistryKey));
    EXPECT_EQ(ReadDisableDays(), 0x00050301u);
    for (const std::wstring& link : installed.Links()) EXPECT_TRUE(FileExists(link));
    EXPECT_EQ(stage.Counter(L"UnInst"), L"");
    EXPECT_EQ(PortalCount(L"/uninstall.htm"), 0);
}

// Statistic.ini beside the executable keeps the folder: only the executable
// (and the script itself) go.
TEST(Uninstall, YesRemovesKeyLinksAndExecutableAndCountsEvenWithThePortalDown) {
    InstallStage stage;
    Installed installed(stage);
    WriteZuvaValue(IniLocation::DataFolder, L"UnInst", L"4");
    // Another program's file keeps the start-menu folder.
    const std::wstring otherFile = stage.StartMenuFolder() + L"\\other.txt";
    WriteFileBytes(otherFile, "not ours");
    PortalAnswer(L"/uninstall.htm", L"mode=drop");

    UninstallWithYes(installed);

    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kRegistryKey));
    for (const std::wstring& link : installed.Links()) EXPECT_FALSE(FileExists(link));
    EXPECT_TRUE(FileExists(stage.StartMenuFolder())) << "another file is in it";
    EXPECT_EQ(stage.Counter(L"UnInst"), L"5") << "counted although the ping went nowhere";
    EXPECT_EQ(PortalCount(L"/uninstall.htm"), 1);
    EXPECT_NE(PortalLog(L"/uninstall.htm").find("GET /uninstall.htm?tag=zuva&ver=3.0.0.1&count=5 HTTP/1.1\r\n"),
              std::string::npos);

    EXPECT_TRUE(WaitUntilGone(installed.exe(), 20000)) << "the script deletes the executable";
    ::Sleep(1500);  // the script's last lines
    EXPECT_TRUE(FileExists(stage.DataFile(L"Statistic.ini"))) << "the short form leaves the folder's files";
    EXPECT_TRUE(FileExists(GetDataFolder()));
    ::DeleteFileW(otherFile.c_str());
}

TEST(Uninstall, AnExecutableAloneTakesItsFolderWithIt) {
    InstallStage stage;
    Installed installed(stage);
    ::SHDeleteKeyW(HKEY_LOCAL_MACHINE, kRegistryKey);  // a missing key is no obstacle

    UninstallWithYes(installed);

    EXPECT_FALSE(FileExists(stage.StartMenuFolder())) << "nothing else was in it";
    EXPECT_EQ(PortalCount(L"/uninstall.htm"), 1);
    EXPECT_TRUE(WaitUntilGone(installed.exe(), 20000));
    // The long form empties the folder (the counter written meanwhile
    // included) and removes it.
    EXPECT_TRUE(WaitUntilGone(GetDataFolder(), 10000));
}
