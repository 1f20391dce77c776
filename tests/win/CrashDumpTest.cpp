// Crash dumps of a real process: one minidump beside the executable for the
// first unhandled exception, nothing for a second.
#include <gtest/gtest.h>

#include "app/CrashDump.h"
#include "InstallStage.h"
#include "WinTestSupport.h"

using namespace wintest;

namespace {
// The probe copied into a folder of its own, so that its dump lands there.
struct Probe {
    Probe()
        : folder(TempFolder() + L"zuva-crash-probe"),
          exe(BuildDir() + L"\\zuva_crash_probe.exe", folder, L"CrashProbe.exe") {}
    ~Probe() {
        for (const wchar_t* name : {L"CrashProbe.dmp", L"CrashProbe.dmp.first", L"CrashProbe.exe.log"})
            ::DeleteFileW((folder + L"\\" + name).c_str());
    }
    std::wstring File(const wchar_t* name) const { return folder + L"\\" + name; }
    std::wstring folder;
    PlacedCopy exe;
};

const DWORD kAccessViolation = 0xC0000005;
}  // namespace

TEST(CrashDump, AnUnhandledExceptionLeavesOneDumpBesideTheExecutable) {
    Probe probe;
    ASSERT_TRUE(probe.exe.ok());
    LauncherProcess p(probe.exe.path(), L"once");
    ASSERT_TRUE(p.WaitForExit(60000));
    EXPECT_EQ(p.ExitCode(), kAccessViolation) << "the system's crash handling ends the process";
    const std::string dump = ReadFileBytes(probe.File(L"CrashProbe.dmp"));
    ASSERT_GE(dump.size(), 32u);
    EXPECT_EQ(dump.substr(0, 4), "MDMP");
    std::printf("dump of %u bytes\n", static_cast<unsigned>(dump.size()));
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
