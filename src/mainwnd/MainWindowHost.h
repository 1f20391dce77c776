#pragma once
// What the main window hands on. The window shows itself, lays itself out
// and takes the player's input; what a choice of the player's sets going
// (clearing the cache, an update, the settings, the screenshots' folder)
// is its host's, which the window reaches only through this. Without a
// host (a window made on its own) those choices do nothing.
#include <memory>
#include <string>

#include "framework/Dialog.h"

class MainWindowHost {
public:
    virtual ~MainWindowHost() = default;
    // "清理缓存" was chosen.
    virtual void ClearCache() = 0;
    // "在线更新" was chosen: true when a newer build is being fetched by a
    // process of its own, for which the window makes way; false when this
    // build is the newest.
    virtual bool StartUpdate() = 0;
    // "设置" was chosen: the settings dialog, owned by `owner`, for the
    // window to run (so that its boss key can end it).
    virtual std::unique_ptr<CDialog> MakeSettingsDialog(CWnd* owner) = 0;
    // The folder screenshots are saved in; "" when there is none.
    virtual std::wstring ShotFolder() const = 0;
};
