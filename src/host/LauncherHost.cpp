#include "host/LauncherHost.h"

#include "base/PathText.h"
#include "base/ProgramPaths.h"
#include "base/StartProgram.h"
#include "cache/CacheCleaner.h"
#include "gamewnd/PageShot.h"
#include "net/Updater.h"
#include "settings/SettingDlg.h"

void LauncherHost::ClearCache() {
    // A process of this executable with the player's rights does the work.
    StartCacheClearing(GetExePath());
}

bool LauncherHost::StartUpdate() {
    UpdateOffer offer;
    if (CheckForUpdate(true, &offer) == 0) return false;
    // The new process downloads and installs.
    StartIdleProcess(CommandLineProgram(GetExePath()) + L" /update");
    return true;
}

std::unique_ptr<CDialog> LauncherHost::MakeSettingsDialog(CWnd* owner) {
    return std::make_unique<CSettingDlg>(owner);
}

std::wstring LauncherHost::ShotFolder() const { return ShotFolderPath(); }
