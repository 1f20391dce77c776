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
    HMODULE module = ::LoadLibraryExW(fileName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    // A system without the search flags refuses them as an invalid
    // parameter. There the DLL is named by its full path, and its own folder
    // is searched first for what it depends on.
    if (module || ::GetLastError() != ERROR_INVALID_PARAMETER) return module;
    const std::wstring folder = SystemFolder();
    if (folder.empty()) return nullptr;
    const std::wstring path = folder + L"\\" + fileName;
    return ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace fw
