#include "base/ShellFolder.h"

#include <windows.h>
#include <shlobj.h>

std::wstring ShellFolderPath(int csidl) {
    wchar_t folder[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, folder))) return std::wstring();
    return folder;
}
