#include "app/Installer.h"

#include <windows.h>
#include <objbase.h>
#include <shlwapi.h>

#include "app/DataFolderSecurity.h"
#include "app/LaunchMode.h"
#include "app/LaunchModeWin.h"
#include "app/SelfDelete.h"
#include "app/ShortcutPaths.h"
#include "app/Shortcuts.h"
#include "base/PathText.h"
#include "base/SettingsStore.h"
#include "base/StartProgram.h"
#include "ui/MessageBox.h"

namespace {
bool SamePathIgnoringCase(const std::wstring& a, const std::wstring& b) {
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                  TRUE) == CSTR_EQUAL;
}

std::wstring FileNameOf(const std::wstring& path) {
    const size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}
}  // namespace

bool Install() {
    fw::ComSession com;  // for the shell links
    // Created the administrators', or made theirs again, before a file goes in.
    const std::wstring dataFolder = GetDataFolder();
    SecureDataFolder(dataFolder, true);

    const std::wstring running = GetExePath();
    const std::wstring installed = dataFolder + L"\\" + FileNameOf(running);
    if (!SamePathIgnoringCase(installed, running)) ::CopyFileW(running.c_str(), installed.c_str(), FALSE);

    CreateDesktopShortcut(installed);
    CreateStartMenuShortcut(kGameLinkName, installed, kShortcutSwitch);
    CreateStartMenuShortcut(kUninstallLinkName, installed, kUninstallSwitch);

    StartProgram(CommandLineProgram(installed));
    return true;
}

void Uninstall(const PingSignals& signals) {
    ::SHDeleteKeyW(HKEY_LOCAL_MACHINE, kRegistryKey);

    DeleteDesktopShortcut(kPortalGamesLinkName);
    DeleteDesktopShortcut(kGameLinkName);
    DeleteStartMenuShortcut(kGameLinkName);
    DeleteStartMenuShortcut(kUninstallLinkName);
    RemoveStartMenuFolderIfEmpty();

    WriteSelfDeleteScript();
    CountAndSendPing(UsageEvent::Uninstall, signals);
    ShowMessageBox(kBoxOk, L"KorvelFerrowind已成功移除，部分文件将在程序退出\r\n或计算机重启后自行删除", nullptr);
}
