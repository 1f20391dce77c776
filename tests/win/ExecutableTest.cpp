// What the shipped executable declares about itself: a 32-bit GUI program that
// asks for administrator rights and version 6 of the common controls, and
// links only DLLs that cannot be planted beside it.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "base/StartProgram.h"
#include "WinTestSupport.h"

using namespace wintest;

namespace {
std::wstring ProductExe() { return BuildDir() + L"\\Zuva.exe"; }

std::string ReadManifest(const std::wstring& exe) {
    fw::ModuleHandle module(::LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    if (!module) return std::string();
    HRSRC res = ::FindResourceW(module.get(), MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    if (!res) return std::string();
    HGLOBAL data = ::LoadResource(module.get(), res);
    const char* bytes = static_cast<const char*>(::LockResource(data));
    return std::string(bytes, ::SizeofResource(module.get(), res));
}

}  // namespace

TEST(Executable, IsA32BitGuiProgram) {
    fw::FileHandle file(::CreateFileW(ProductExe().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(file);
    std::vector<char> head(4096);
    DWORD got = 0;
    ASSERT_TRUE(::ReadFile(file.get(), head.data(), static_cast<DWORD>(head.size()), &got, nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(head.data());
    ASSERT_EQ(dos->e_magic, IMAGE_DOS_SIGNATURE);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(head.data() + dos->e_lfanew);
    ASSERT_EQ(nt->Signature, IMAGE_NT_SIGNATURE);
    EXPECT_EQ(nt->FileHeader.Machine, IMAGE_FILE_MACHINE_I386);
    EXPECT_EQ(nt->OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR32_MAGIC);
    EXPECT_EQ(nt->OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
}

TEST(Executable, ManifestAsksForAdministratorCommonControls6AndPerMonitorDpi) {
    for (const std::wstring& exe : {ProductExe(), ScriptedExe()}) {
        std::string manifest = ReadManifest(exe);
        ASSERT_FALSE(manifest.empty());
        EXPECT_NE(manifest.find("level=\"requireAdministrator\""), std::string::npos);
        EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
                  std::string::npos);
        // Per monitor (v2) where the system has it, else the system's DPI.
        EXPECT_NE(manifest.find(">PerMonitorV2, System</dpiAwareness>"), std::string::npos);
        EXPECT_NE(manifest.find("WindowsSettings\">true</dpiAware>"), std::string::npos);
    }
}

// The loader resolves these before our first instruction: known DLLs come
// from System32 whatever lies beside the program, the manifest binds the
// common controls, ntdll is the loader's own and never looked for, and any
// other DLL would be looked for beside it first.
TEST(Executable, LinksOnlyKnownDllsAndTheCommonControls) {
    const std::set<std::string> allowed = {"ADVAPI32.DLL", "COMCTL32.DLL", "GDI32.DLL",   "GDIPLUS.DLL",
                                           "KERNEL32.DLL", "MSVCRT.DLL",   "NTDLL.DLL",   "OLE32.DLL",
                                           "OLEAUT32.DLL", "SHELL32.DLL",  "SHLWAPI.DLL", "USER32.DLL"};
    for (const std::wstring& exe : {ProductExe(), ScriptedExe()}) {
        fw::ModuleHandle image(::LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE));
        ASSERT_TRUE(image);
        // Mapped as an image (the handle's low bits say so): an address is an offset from its start.
        const auto* base = reinterpret_cast<const char*>(reinterpret_cast<uintptr_t>(image.get()) & ~uintptr_t{3});
        const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(
            base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
        const DWORD table = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
        ASSERT_NE(table, 0u);
        for (auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + table); entry->Name; ++entry) {
            std::string dll = base + entry->Name;
            ::CharUpperBuffA(&dll[0], static_cast<DWORD>(dll.size()));
            EXPECT_TRUE(allowed.count(dll)) << dll << " in " << ::testing::PrintToString(exe);
        }
    }
}

TEST(Executable, VersionIs3001) {
    const std::wstring exe = ProductExe();
    DWORD ignored = 0;
    DWORD size = ::GetFileVersionInfoSizeW(exe.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> info(size);
    ASSERT_TRUE(::GetFileVersionInfoW(exe.c_str(), 0, size, info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT len = 0;
    ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &len));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 3));
    EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(1, 0));
    wchar_t* text = nullptr;
    ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\StringFileInfo\\080404b0\\FileVersion",
                                 reinterpret_cast<void**>(&text), &len));
    EXPECT_STREQ(text, L"3.0.0.1");
}

// Wine 8 takes no priority class from CreateProcess (every process reports
// the normal class), so only the start itself can be seen here.
TEST(StartProgram, StartsExactlyTheGivenCommandLine) {
    // A command line of our own: the launcher with the shortcut switch.
    const std::wstring line = L"\"" + ScriptedExe() + L"\" /ZuvaD";
    DWORD before = ::GetTickCount();
    StartProgram(line);
    HWND window = nullptr;
    DWORD pid = 0;
    while (!window && ::GetTickCount() - before < 15000) {
        HWND candidate = ::FindWindowW(L"#32770", L"KorvelFerrowind");
        if (candidate && ::IsWindowVisible(candidate)) window = candidate;
        else ::Sleep(50);
    }
    ASSERT_NE(window, nullptr);
    ::GetWindowThreadProcessId(window, &pid);
    fw::KernelHandle process(::OpenProcess(SYNCHRONIZE, FALSE, pid));
    ASSERT_TRUE(process);
    ::PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(::WaitForSingleObject(process.get(), 10000), WAIT_OBJECT_0);
}

TEST(StartProgram, AFailedStartIsIgnored) {
    StartProgram(L"Z:\\no\\such\\program.exe");  // nothing to see, nothing thrown
    SUCCEED();
}
