// The update's requests under every server fault: the configuration is
// taken only as it was published and never left lying beside the
// executable; a shortcut start with a due check always reaches its main
// window; the new executable replaces the running one only when the real
// build arrived.
#include <gtest/gtest.h>

#include "app/LaunchModeWin.h"
#include "base/PathText.h"
#include "base/SettingsStore.h"
#include "LauncherDriver.h"
#include "net/FileDigest.h"
#include "net/Updater.h"
#include "net/UpdateRules.h"
#include "PortalClient.h"
#include "ServerFaults.h"
#include "WinTestSupport.h"

using namespace wintest;

namespace {
const wchar_t kSessionManager[] = L"System\\CurrentControlSet\\Control\\Session Manager";
const wchar_t kConfigPath[] = L"/update/ConfigZuva.htm";
const wchar_t kBuildPath[] = L"/NewBuild.exe";
// Time a start of the launcher may take under Wine besides the network.
const DWORD kStartMs = 15000;

std::wstring ConfigBody(const std::wstring& key) {
    return L"body=%5BVerKey%5D%0D%0AZuva%3D" + key + L"%0D%0AUpdAddr%3D" + PortalUrl(kBuildPath) + L"%0D%0A";
}

std::wstring KeyOf(const std::wstring& exe) {
    std::wstring digest;
    if (!FileMd5Hex(exe, &digest)) return std::wstring();
    return LocalVersionKey(digest, VersionDigits(kProgramVersion));
}

void ForgetUpdateDay() {
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kRegistryKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    ::RegDeleteValueW(key, L"UpdTime");
    ::RegDeleteValueW(key, L"DisableDays");
    ::RegCloseKey(key);
}

HWND VisibleMainWindow(DWORD pid) {
    for (HWND w : FindWindows(pid, kDialogClass, kMainTitle))
        if (::IsWindowVisible(w)) return w;
    return nullptr;
}

// A main window of a process other than `except`, as a swapped-in build shows.
HWND OtherMainWindow(DWORD except) {
    HWND w = ::FindWindowW(kDialogClass, kMainTitle);
    return w && ProcessOfWindow(w) != except && ::IsWindowVisible(w) ? w : nullptr;
}

void CloseAndWait(HWND main) {
    fw::KernelHandle process(::OpenProcess(SYNCHRONIZE, FALSE, ProcessOfWindow(main)));
    ::PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    if (process) ::WaitForSingleObject(process.get(), 10000);
}

// The machine-wide update state and the launcher's files, put back afterwards.
struct UpdateFaultStage {
    UpdateFaultStage()
        : updTime(HKEY_LOCAL_MACHINE, kRegistryKey, L"UpdTime"),
          disableDays(HKEY_LOCAL_MACHINE, kRegistryKey, L"DisableDays"),
          pendingRenames(HKEY_LOCAL_MACHINE, kSessionManager, L"PendingFileRenameOperations"),
          ini(GetDataFolder() + L"\\Statistic.ini"),
          newBuild(PortalRoot() + L"\\NewBuild.exe") {
        // The published build: a newer launcher, signed by the publisher the
        // scripted build names, that runs and can be told from the old one.
        newBuildBytes = ReadFileBytes(BuildDir() + L"\\signed\\new-A.exe");
        WriteFileBytes(newBuild, newBuildBytes);
    }
    ~UpdateFaultStage() {
        RemoveLeftovers();
        ::DeleteFileW(newBuild.c_str());
    }
    static std::wstring Path(const wchar_t* name) { return GetDataFolder() + L"\\" + name; }
    static void RemoveLeftovers() {
        for (const wchar_t* name : {L"OldZuva.exe", L"NewZuva.exe", L"ConfigZuva.htm"})
            ::DeleteFileW(Path(name).c_str());
    }

    RegistryValueBackup updTime, disableDays, pendingRenames;
    FileBackup ini;
    std::wstring newBuild;
    std::string newBuildBytes;
};

// How one shortcut start with a due check ended.
struct StartResult {
    DWORD ms = 0;             // until the main window showed or the process ended
    bool mainWindow = false;  // its own main window showed
    bool swapped = false;     // it ended, and a new build's main window came up
    bool hung = false;        // neither within the bound
};

StartResult ShortcutStart(const std::wstring& exe, DWORD boundMs) {
    StartResult result;
    LauncherProcess launcher(exe, L"/ZuvaD");
    const DWORD start = ::GetTickCount();
    HWND main = nullptr;
    const bool ended = WaitUntil(
        [&] {
            main = VisibleMainWindow(launcher.pid());
            return main || !launcher.IsRunning();
        },
        boundMs);
    result.ms = ::GetTickCount() - start;
    result.hung = !ended;
    if (main) {
        result.mainWindow = true;
        CloseAndWait(main);
    } else if (ended) {
        HWND restarted = nullptr;
        WaitUntil([&] { return (restarted = OtherMainWindow(launcher.pid())) != nullptr; }, 5000);
        result.swapped = restarted != nullptr;
        if (restarted) CloseAndWait(restarted);
    }
    return result;
}

std::string Describe(const StartResult& r) {
    if (r.hung) return "HUNG";
    if (r.mainWindow) return "main window";
    return r.swapped ? "swapped in, new build started" : "ended without a main window";
}
}  // namespace

TEST(UpdateFaults, TheConfigurationIsTakenOnlyAsPublished) {
    const std::wstring key = L"0123456789abcdef0123456789abcdef";
    const std::wstring beside = FolderOfPath(GetExePath()) + L"\\ConfigZuva.htm";
    for (const ServerFault& fault : ServerFaults()) {
        if (fault.costly) continue;  // start-up meets it below
        SCOPED_TRACE(fault.name);
        PortalSession portal;
        InstallFaultHelpers();
        PortalAnswer(kConfigPath, FaultRule(fault, ConfigBody(key)));
        std::wstring remoteKey = L"stale", address;
        const DWORD start = ::GetTickCount();
        const bool whole = FetchUpdateConfig(&remoteKey, &address);
        const DWORD ms = ::GetTickCount() - start;
        ReportFault("config", fault, ms,
                    whole ? (remoteKey.empty() ? "arrived, no key" : "taken") : "refused");
        EXPECT_LE(ms, FaultBoundMs(fault));
        SettleConnections();
        EXPECT_GE(PortalCount(kConfigPath), 1);
        switch (fault.framing) {
        case Framing::Broken:
            EXPECT_FALSE(whole);
            EXPECT_EQ(remoteKey, L"");
            break;
        case Framing::Sound:
            EXPECT_TRUE(whole);
            EXPECT_EQ(remoteKey, key);
            EXPECT_EQ(address, PortalUrl(kBuildPath));
            break;
        case Framing::Deceptive:
            // Nothing the portal did not publish: the real key or none.
            EXPECT_TRUE(remoteKey.empty() || remoteKey == key);
            break;
        }
        EXPECT_FALSE(FileExists(beside)) << "the configuration never stays beside the executable";
        ::DeleteFileW(beside.c_str());
    }
}

TEST(UpdateFaults, AConfigurationOver64KBIsRefusedUnwritten) {
    const std::wstring key = L"0123456789abcdef0123456789abcdef";
    const std::wstring beside = FolderOfPath(GetExePath()) + L"\\ConfigZuva.htm";
    const std::wstring served = PortalRoot() + L"\\ConfigBig.htm";
    std::string text = "[VerKey]\r\nZuva=" + std::string(key.begin(), key.end()) + "\r\n";
    for (const size_t size : {size_t{65536}, size_t{65537}}) {
        SCOPED_TRACE(size);
        PortalSession portal;
        // Whole and sound, only padded with a comment line to its size.
        std::string body = text + ";" + std::string(size - text.size() - 3, 'x') + "\r\n";
        ASSERT_TRUE(WriteFileBytes(served, body));
        PortalAnswer(kConfigPath, L"file=ConfigBig.htm");
        std::wstring remoteKey, address;
        const bool whole = FetchUpdateConfig(&remoteKey, &address);
        EXPECT_EQ(whole, size <= 65536);
        EXPECT_EQ(remoteKey, size <= 65536 ? key : L"");
        EXPECT_FALSE(FileExists(beside));
    }
    ::DeleteFileW(served.c_str());
}

TEST(UpdateFaults, ADueStartReachesItsMainWindowWhateverTheConfigurationAnswer) {
    UpdateFaultStage stage;
    for (const ServerFault& fault : ServerFaults()) {
        SCOPED_TRACE(fault.name);
        PortalSession portal;
        InstallFaultHelpers();
        ForgetUpdateDay();
        PlacedCopy exe(ScriptedExe(), GetDataFolder(), L"Zuva.exe");
        ASSERT_TRUE(exe.ok());
        const std::string before = ReadFileBytes(exe.path());
        // The same build is published: only a fault could lead to a download.
        PortalAnswer(kConfigPath, FaultRule(fault, ConfigBody(KeyOf(exe.path()))));
        // The game-start ping meets the same fault.
        PortalAnswer(L"/active.htm", FaultRule(fault, L"body=ok"));
        const StartResult r = ShortcutStart(exe.path(), FaultBoundMs(fault) + kStartMs);
        ReportFault("start-up", fault, r.ms, Describe(r));
        EXPECT_TRUE(r.mainWindow) << Describe(r);
        EXPECT_TRUE(ReadFileBytes(exe.path()) == before) << "the executable is untouched";
        EXPECT_EQ(PortalCount(kBuildPath), 0);
        EXPECT_FALSE(FileExists(stage.Path(L"ConfigZuva.htm")));
        stage.RemoveLeftovers();
    }
}

TEST(UpdateFaults, OnlyTheRealBuildReplacesTheRunningExecutable) {
    UpdateFaultStage stage;
    for (const ServerFault& fault : ServerFaults()) {
        // A stall costs as much as in start-up's; 100 MB is past the build's 64 MB cap.
        if (fault.costly && fault.name != std::string("100 MB of binary garbage")) continue;
        SCOPED_TRACE(fault.name);
        PortalSession portal;
        InstallFaultHelpers();
        ForgetUpdateDay();
        PlacedCopy exe(ScriptedExe(), GetDataFolder(), L"Zuva.exe");
        ASSERT_TRUE(exe.ok());
        const std::string before = ReadFileBytes(exe.path());
        PortalAnswer(kConfigPath, ConfigBody(KeyOf(stage.newBuild)));
        PortalAnswer(kBuildPath, FaultRule(fault, L"file=NewBuild.exe"));
        const StartResult r = ShortcutStart(exe.path(), FaultBoundMs(fault) + kStartMs);
        ReportFault("download", fault, r.ms, Describe(r));
        EXPECT_FALSE(r.hung);
        const std::string after = ReadFileBytes(exe.path());
        const bool untouched = after == before;
        const bool realBuild = after == stage.newBuildBytes;
        switch (fault.framing) {
        case Framing::Broken:
            EXPECT_TRUE(r.mainWindow) << Describe(r);
            EXPECT_TRUE(untouched) << "the running executable stays (" << after.size() << " bytes)";
            break;
        case Framing::Sound:
            EXPECT_TRUE(r.swapped) << Describe(r);
            EXPECT_TRUE(realBuild) << "the real build stands in place (" << after.size() << " bytes)";
            break;
        case Framing::Deceptive:
            // WinINet may read past a short promise and so get the real
            // build after all; anything else must leave the executable be.
            EXPECT_TRUE(untouched || realBuild) << "a bad file stands in place (" << after.size() << " bytes)";
            EXPECT_TRUE(realBuild ? r.swapped : r.mainWindow) << Describe(r);
            break;
        }
        if (!realBuild) {
            EXPECT_EQ(ReadUpdTime().wYear, 0) << "no update day for a failed update";
        }
        stage.RemoveLeftovers();
    }
}
