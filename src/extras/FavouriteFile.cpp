#include "extras/FavouriteFile.h"

#include <windows.h>
#include <shlobj.h>

#include <string>

#include "base/AnsiText.h"
#include "base/HeldFolder.h"
#include "base/ShellFolder.h"
#include "framework/Handles.h"

bool SaveFavourite(const std::wstring& name, const std::wstring& url) {
    const std::wstring folder = ShellFolderPath(CSIDL_FAVORITES);
    const std::wstring path = FavouriteFilePath(folder, name);
    if (path.empty()) return false;
    // The page process runs elevated, and the player's own Favorites folder
    // may hold, or be, a link to anywhere: the folder is held as the real
    // folder it is, and the file made new in it.
    const HeldFolder favourites = HeldFolder::Open(folder);
    if (!favourites) return false;
    const std::string bytes = ToCodePage(InternetShortcutText(url), CP_ACP);
    fw::FileHandle file = favourites.CreateFileAnew(path.substr(folder.size() + 1), GENERIC_WRITE);
    if (!file) return false;
    DWORD written = 0;
    return ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}
