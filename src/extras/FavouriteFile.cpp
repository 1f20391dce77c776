#include "extras/FavouriteFile.h"

#include <windows.h>
#include <shlobj.h>

#include <string>

#include "base/AnsiText.h"
#include "base/ShellFolder.h"
#include "framework/Handles.h"


bool SaveFavourite(const std::wstring& name, const std::wstring& url) {
    const std::wstring path = FavouriteFilePath(ShellFolderPath(CSIDL_FAVORITES), name);
    if (path.empty()) return false;
    const std::string bytes = ToCodePage(InternetShortcutText(url), CP_ACP);
    fw::FileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    return ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}
