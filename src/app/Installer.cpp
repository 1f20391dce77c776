#include "app/Installer.h"

#include <windows.h>
#include <objbase.h>
#include <shlwapi.h>

#include <optional>

#include "app/DataFolderRecord.h"
#include "app/DataFolderSecurity.h"
#include "app/InstalledCopy.h"
#include "app/LaunchMode.h"
#include "app/LaunchModeWin.h"
#include "app/SelfDelete.h"
#include "app/ShortcutPaths.h"
#include "app/Shortcuts.h"
#include "base/NewFile.h"
#include "base/PathText.h"
#include "base/SettingsStore.h"
#include "base/StartupTrace.h"
#include "ui/MessageBox.h"

namespace {
std::wstring FileNameOf(const std::wstring& path) {
    const size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}
}  // namespace

bool Install() {
    fw::ComSession com;  // for the shell links
    const std::wstring dataFolder = GetDataFolder();
    // A folder found where the data folder belongs that this installer did
    // not make may hold anything of anyone's: out of the way, and made anew.
    const bool there = ::GetFileAttributesW(dataFolder.c_str()) != INVALID_FILE_ATTRIBUTES;
    const bool ours = there && IsRecordedDataFolder(dataFolder);
    const bool ready = ours ? SecureDataFolder(dataFolder, false)
                            : (!there || MoveAside(dataFolder) != dataFolder) && MakeNewDataFolder(dataFolder) &&
                                  RecordDataFolder(dataFolder);
    TraceStartupStep(ours ? "install: our data folder" : there ? "install: a data folder not ours, moved aside"
                                                               : "install: a new data folder");
    const std::wstring installed = dataFolder + L"\\" + FileNameOf(GetExePath());
    const std::optional<InstalledCopy> copy = ready ? std::make_optional<InstalledCopy>(installed) : std::nullopt;
    if (!copy || !copy->ok()) {
        ShowMessageBox(kBoxOk, L"安装失败，请稍后重新运行安装程序。", nullptr);
        return false;
    }
    CreateDesktopShortcut(installed);
    CreateStartMenuShortcut(kGameLinkName, installed, kShortcutSwitch);
    CreateStartMenuShortcut(kUninstallLinkName, installed, kUninstallSwitch);
    // The file written and compared above, held until now.
    copy->Start();
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
