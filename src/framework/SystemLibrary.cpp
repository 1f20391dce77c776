#include "framework/SystemLibrary.h"

#include <string>

namespace fw {

namespace {

// System32 as the system names it, without a trailing backslash; empty when
// it cannot tell.
std::wstring SystemFolder() {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::wstring();
    std::wstring path(folder, length);
    if (path.back() == L'\\') path.pop_back();  // the folder is a drive's root
    return path;
}

}  // namespace

void KeepDllSearchInSystem32() {
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    const auto searchOnly =
        FindFunction<SetDefaultDllDirectoriesFn>(::GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
    if (searchOnly) searchOnly(LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Where the call above is missing, the program's folder stays first in
    // the search, but the current directory (which whoever starts us picks)
    // goes. The processes we start inherit this.
    ::SetDllDirectoryW(L"");
}

HMODULE LoadSystemLibrary(const wchar_t* fileName) {
    // The documented sign that LoadLibraryExW understands the search flags
    // (without them it refuses the call as an invalid parameter).
    if (FindFunction<FARPROC>(::GetModuleHandleW(L"kernel32.dll"), "AddDllDirectory"))
        return ::LoadLibraryExW(fileName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    // XP, and Vista and 7 without their loader update: the DLL by its full
    // path, and its own folder searched first for what it depends on.
    const std::wstring folder = SystemFolder();
    if (folder.empty()) return nullptr;
    const std::wstring path = folder + L"\\" + fileName;
    return ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace fw
