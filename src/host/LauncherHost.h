#pragma once
// The launcher's side of its main window: what the player's choices in the
// window's menus set going, with the services that do it (the cache, the
// update, the settings, the screenshots' folder).
#include "mainwnd/MainWindowHost.h"

class LauncherHost : public MainWindowHost {
public:
    void ClearCache() override;
    bool StartUpdate() override;
    std::unique_ptr<CDialog> MakeSettingsDialog(CWnd* owner) override;
    std::wstring ShotFolder() const override;
};
