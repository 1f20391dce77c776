#include "app/Shortcuts.h"

#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

#include "app/FileCount.h"
#include "app/ShortcutPaths.h"
#include "base/ShellFolder.h"
#include "framework/Handles.h"

namespace {
bool IsExistingFile(const std::wstring& path) {
    if (path.empty() || path.size() >= MAX_PATH) return false;
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DeleteLink(const std::wstring& linkPath) { return !linkPath.empty() && ::DeleteFileW(linkPath.c_str()); }
}  // namespace

std::wstring CommonDesktopFolder() { return ShellFolderPath(CSIDL_COMMON_DESKTOPDIRECTORY); }

std::wstring StartMenuFolder() { return StartMenuFolderIn(ShellFolderPath(CSIDL_COMMON_PROGRAMS)); }

bool CreateShellLink(const std::wstring& linkPath, const std::wstring& target, const std::wstring& arguments,
                     const std::wstring& description) {
    if (linkPath.empty()) return false;
    fw::ComPtr<IShellLinkW> link;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void**>(link.put()))))
        return false;
    link->SetPath(target.c_str());
    link->SetIconLocation(target.c_str(), 0);
    fw::ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.put())))) return false;
    link->SetArguments(arguments.c_str());
    if (!description.empty()) link->SetDescription(description.c_str());
    file->Save(linkPath.c_str(), TRUE);
    return true;
}

bool CreateDesktopShortcut(const std::wstring& target) {
    if (!IsExistingFile(target)) return false;
    const std::wstring desktop = CommonDesktopFolder();
    if (desktop.empty()) return false;
    // Earlier versions put the link on the installing user's own desktop;
    // the machine-wide one takes its place.
    DeleteLink(LegacyUserDesktopLink(ShellFolderPath(CSIDL_PERSONAL), desktop));
    return CreateShellLink(LinkPathIn(desktop, kGameLinkName), target, kShortcutSwitch, kGameLinkName);
}

bool CreateStartMenuShortcut(const std::wstring& name, const std::wstring& target, const std::wstring& arguments) {
    if (name.empty() || !IsExistingFile(target)) return false;
    const std::wstring folder = StartMenuFolder();
    if (folder.empty()) return false;
    ::CreateDirectoryW(folder.c_str(), nullptr);
    return CreateShellLink(LinkPathIn(folder, name), target, arguments);
}

bool DeleteDesktopShortcut(const std::wstring& name) { return DeleteLink(LinkPathIn(CommonDesktopFolder(), name)); }

bool DeleteStartMenuShortcut(const std::wstring& name) { return DeleteLink(LinkPathIn(StartMenuFolder(), name)); }

bool RemoveStartMenuFolderIfEmpty() {
    const std::wstring folder = StartMenuFolder();
    if (folder.empty() || CountFilesBelow(folder) != 0) return false;
    return ::RemoveDirectoryW(folder.c_str()) != FALSE;
}
