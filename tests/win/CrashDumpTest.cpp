// Crash dumps of a real process: one minidump beside the executable for the
// first unhandled exception, nothing for a second; and a launcher's own page
// process that faults dies through the same filter.
#include <windows.h>

#include <dbghelp.h>
#include <shlobj.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/CrashDump.h"
#include "app/DumpFileName.h"
#include "GameLogin.h"
#include "InstallStage.h"
#include "LauncherDriver.h"
#include "PortalClient.h"
#include "WinTestSupport.h"

using namespace wintest;

namespace {
// The probe copied into a folder of its own, so that its dump lands there.
struct Probe {
    Probe()
        : folder(TempFolder() + L"zuva-crash-probe"),
          exe(BuildDir() + L"\\zuva_crash_probe.exe", folder, L"CrashProbe.exe") {}
    ~Probe() {
        for (const wchar_t* name : {L"CrashProbe.dmp", L"CrashProbe.dmp.first", L"CrashProbe.exe.log", L"Planted.bin"})
            ::DeleteFileW((folder + L"\\" + name).c_str());
    }
    std::wstring File(const wchar_t* name) const { return folder + L"\\" + name; }
    std::wstring folder;
    PlacedCopy exe;
};

const DWORD kAccessViolation = 0xC0000005;
const DWORD kStackOverflow = 0xC00000FD;

// The exception a minidump tells of (its exception stream), or 0.
DWORD ExceptionCodeIn(const std::string& dump) {
    auto read = [&dump](size_t at, auto& to) {
        if (at + sizeof(to) <= dump.size()) std::memcpy(&to, dump.data() + at, sizeof(to));
    };
    MINIDUMP_HEADER header{};
    read(0, header);
    for (ULONG32 i = 0; i < header.NumberOfStreams && i < 64; ++i) {
        MINIDUMP_DIRECTORY entry{};
        read(header.StreamDirectoryRva + i * sizeof(entry), entry);
        MINIDUMP_EXCEPTION_STREAM exception{};
        read(entry.Location.Rva, exception);
        if (entry.StreamType == ExceptionStream) return exception.ExceptionRecord.ExceptionCode;
    }
    return 0;
}

// The dumps in the folder of file `path`.
int DumpsBeside(const std::wstring& path) {
    const std::wstring folder = path.substr(0, path.find_last_of(L'\\') + 1);
    WIN32_FIND_DATAW found{};
    fw::FindFileHandle find(::FindFirstFileW((folder + L"*").c_str(), &found));
    int dumps = 0;
    for (bool more = static_cast<bool>(find); more; more = ::FindNextFileW(find.get(), &found) != FALSE) {
        const std::wstring name = found.cFileName;
        if (name.size() > 4 && _wcsicmp(name.c_str() + name.size() - 4, L".dmp") == 0) ++dumps;
    }
    return dumps;
}
}  // namespace

TEST(CrashDump, AnUnhandledExceptionLeavesOneDumpBesideTheExecutable) {
    Probe probe;
    ASSERT_TRUE(probe.exe.ok());
    // A file someone made there first is replaced, never written into.
    ASSERT_TRUE(WriteFileBytes(probe.File(L"Planted.bin"), "theirs"));
    ASSERT_TRUE(::CreateHardLinkW(probe.File(L"CrashProbe.dmp").c_str(), probe.File(L"Planted.bin").c_str(), nullptr));
    LauncherProcess p(probe.exe.path(), L"once");
    ASSERT_TRUE(p.WaitForExit(60000));
    EXPECT_EQ(p.ExitCode(), kAccessViolation) << "the system's crash handling ends the process";
    const std::string dump = ReadFileBytes(probe.File(L"CrashProbe.dmp"));
    ASSERT_GE(dump.size(), 32u);
    EXPECT_EQ(dump.substr(0, 4), "MDMP");
    EXPECT_EQ(ExceptionCodeIn(dump), kAccessViolation) << "the crashed thread's exception, not the writer's point";
    EXPECT_EQ(ReadFileBytes(probe.File(L"Planted.bin")), "theirs");
    std::printf("dump of %u bytes\n", static_cast<unsigned>(dump.size()));
}

TEST(CrashDump, AStackOverflowIsDumpedByAThreadThatStillHasStack) {
    Probe probe;
    ASSERT_TRUE(probe.exe.ok());
    LauncherProcess p(probe.exe.path(), L"overflow");
    ASSERT_TRUE(p.WaitForExit(60000));
    EXPECT_EQ(p.ExitCode(), kStackOverflow);
    EXPECT_EQ(ExceptionCodeIn(ReadFileBytes(probe.File(L"CrashProbe.dmp"))), kStackOverflow);
}

TEST(CrashDump, ASecondExceptionWritesNothingMore) {
    Probe probe;
    ASSERT_TRUE(probe.exe.ok());
    LauncherProcess p(probe.exe.path(), L"twice");
    ASSERT_TRUE(p.WaitForExit(60000));
    EXPECT_EQ(p.ExitCode(), kAccessViolation);
    EXPECT_EQ(ReadFileBytes(probe.File(L"CrashProbe.exe.log")),
              "crash 1 answer 0\ncontinued\ncrash 2 answer 1\n")
        << "the first is dumped and searched on, the second ends the handling";
    EXPECT_EQ(ReadFileBytes(probe.File(L"CrashProbe.dmp.first")).substr(0, 4), "MDMP");
    EXPECT_FALSE(FileExists(probe.File(L"CrashProbe.dmp"))) << "no second dump";
}

TEST(CrashDump, WriteDumpWithoutExceptionShowsTheCallersPoint) {
    const std::wstring path = TempFolder() + L"zuva-here.dmp";
    {
        fw::FileHandle file(
            ::CreateFileW(path.c_str(), GENERIC_WRITE | GENERIC_READ, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        ASSERT_TRUE(file);
        EXPECT_TRUE(WriteDump(file.get(), nullptr));
    }
    EXPECT_EQ(ReadFileBytes(path).substr(0, 4), "MDMP");
    ::DeleteFileW(path.c_str());
}

// A page runs with the player's rights, and may not write beside the
// executable: its dump goes to the player's own local application data.
TEST(CrashDump, AGamePageProcessThatFaultsLeavesOneDumpInThePlayersFolder) {
    PortalSession portal;
    const std::wstring dump = PlayerDumpPathFor(ShellFolder(CSIDL_LOCAL_APPDATA), ScriptedExe());
    // A dump an earlier crash left comes back afterwards; this test's goes.
    FileBackup earlier(dump);
    ::DeleteFileW(dump.c_str());
    const int dumpsBefore = DumpsBeside(dump), besideBefore = DumpsBeside(ScriptedExe());

    LauncherInstance app;
    ASSERT_NE(app.main, nullptr);
    ASSERT_TRUE(LogInToGame(app, L"/games/s12.page"));
    HWND frame = PageFrames(app.main)[0];
    fw::KernelHandle page(::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, ProcessOfWindow(frame)));
    ASSERT_TRUE(page);
    ASSERT_TRUE(SendPageCommand(frame, L"fault"));
    ASSERT_EQ(::WaitForSingleObject(page.get(), 60000), WAIT_OBJECT_0);
    DWORD code = 0;
    ::GetExitCodeProcess(page.get(), &code);
    EXPECT_EQ(code, kAccessViolation) << "the system's crash handling ends the page";
    EXPECT_EQ(ReadFileBytes(dump).substr(0, 4), "MDMP");
    EXPECT_EQ(DumpsBeside(dump), dumpsBefore + 1) << "one dump, the page's, and no other";
    EXPECT_EQ(DumpsBeside(ScriptedExe()), besideBefore) << "none beside the executable";
    EXPECT_TRUE(app.process.IsRunning()) << "the main window outlives its page";
}
