// DLLs planted beside an installed launcher under the names of system DLLs
// that are not known DLLs stay unloaded on the roads that use the real ones:
// an update check judging a download, a game page's mixer, a page's dump.
#include <shlobj.h>

#include <gtest/gtest.h>

#include <list>

#include "app/DumpFileName.h"
#include "base/ProgramPaths.h"
#include "base/ProgramVersion.h"
#include "base/WindowMessages.h"
#include "GameLogin.h"
#include "InstallStage.h"
#include "net/FileDigest.h"
#include "net/UpdateRules.h"

using namespace wintest;

namespace {
const wchar_t kMark[] = L"zuva-planted-";  // what a loaded stand-in leaves (tests/win/probe/PlantedDll.cpp)

void DeleteMarks() {
    for (const std::wstring& mark : TempFilesStartingWith(kMark)) ::DeleteFileW((TempFolder() + mark).c_str());
}

// A /ZuvaD start whose update check downloads an unsigned build and refuses
// it by its signature, then a login to a game page that faults.
void WalkTheRoads(const std::wstring& exe) {
    const PlacedCopy build(BuildDir() + L"\\signed\\new-unsigned.exe", PortalRoot(), L"NewBuild.exe");
    std::wstring md5;
    ASSERT_TRUE(build.ok() && FileMd5Hex(build.path(), &md5));
    PortalAnswer(L"/update/ConfigZuva.htm", L"body=%5BVerKey%5D%0D%0AZuva%3D" +
                                                 LocalVersionKey(md5, VersionDigits(kProgramVersion)) +
                                                 L"%0D%0AUpdAddr%3D" + PortalUrl(L"/NewBuild.exe") + L"%0D%0A");
    PortalAnswer(L"/NewBuild.exe", L"file=NewBuild.exe");
    LauncherInstance app(exe);
    ASSERT_NE(app.main, nullptr) << "the start goes on past the refused build";
    EXPECT_EQ(PortalCount(L"/NewBuild.exe"), 1) << "the download was judged";
    ASSERT_TRUE(LogInToGame(app, L"/games/s12.page"));
    HWND frame = PageFrames(app.main)[0];
    fw::KernelHandle page(::OpenProcess(SYNCHRONIZE, FALSE, ProcessOfWindow(frame)));
    ::SendMessageW(frame, WM_SET_MUTE, 1, 0);  // through the mixer, before the answer
    ASSERT_TRUE(SendPageCommand(frame, L"fault"));
    ASSERT_EQ(::WaitForSingleObject(page.get(), 60000), WAIT_OBJECT_0);
}
}  // namespace

TEST(PlantedDlls, NoneIsLoadedOnTheRoadsThatUseTheRealOnes) {
    InstallStage stage;  // no launcher key: the update check is due
    const PlacedCopy exe(ScriptedExe(), GetDataFolder(), L"Zuva.exe");
    ASSERT_TRUE(exe.ok());
    // Each Zuva.exe prefers them to Wine's own, as Windows would. (Wine reads
    // this at a program's start; this process's environment would not do.)
    const wchar_t overrides[] = L"Software\\Wine\\AppDefaults\\Zuva.exe\\DllOverrides";
    const RegistryKeyBackup backup(HKEY_CURRENT_USER, overrides);
    std::list<PlacedCopy> planted;
    for (const wchar_t* dll : {L"winmm", L"wininet", L"msimg32", L"dbghelp", L"wintrust"}) {
        const std::wstring file = std::wstring(dll) + L".dll";
        ASSERT_TRUE(planted.emplace_back(BuildDir() + L"\\planted\\" + file, GetDataFolder(), file).ok());
        const wchar_t order[] = L"native,builtin";
        ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, overrides, dll, REG_SZ, order, sizeof(order)), ERROR_SUCCESS);
    }
    DeleteMarks();
    WalkTheRoads(exe.path());
    EXPECT_EQ(TempFilesStartingWith(kMark), std::set<std::wstring>()) << "planted DLLs were loaded";
    DeleteMarks();
    const std::wstring dump = PlayerDumpPathFor(ShellFolder(CSIDL_LOCAL_APPDATA), exe.path());
    EXPECT_EQ(ReadFileBytes(dump).substr(0, 4), "MDMP") << "the page's dump was written";
    DeleteSoon(dump);
}
