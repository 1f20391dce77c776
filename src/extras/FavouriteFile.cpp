#include "extras/FavouriteFile.h"

#include <windows.h>
#include <shlobj.h>

#include <string>

#include "framework/Handles.h"

namespace {
std::wstring FavoritesFolder() {
    wchar_t folder[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_FAVORITES, nullptr, SHGFP_TYPE_CURRENT, folder)))
        return std::wstring();
    return folder;
}

std::string ToAnsi(const std::wstring& text) {
    if (text.empty()) return std::string();
    const int size = static_cast<int>(text.size());
    const int bytes = ::WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string ansi(bytes > 0 ? static_cast<size_t>(bytes) : 0, '\0');
    if (bytes > 0) ::WideCharToMultiByte(CP_ACP, 0, text.data(), size, &ansi[0], bytes, nullptr, nullptr);
    return ansi;
}
}  // namespace

bool SaveFavourite(const std::wstring& name, const std::wstring& url) {
    const std::wstring path = FavouriteFilePath(FavoritesFolder(), name);
    if (path.empty()) return false;
    const std::string bytes = ToAnsi(InternetShortcutText(url));
    fw::FileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    return ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}
