#pragma once
// Which role a process of the launcher plays, decided from its command line
// and from where its executable lies.
#include <cstdint>
#include <string>
#include <vector>

enum class LaunchMode : int {
    Install = 0,         // not inside the data folder, no switch: install ourselves
    PortalHome = 1,      // "/webKorvelD"
    ShortcutStart = 2,   // "/ZuvaD", the switch of our shortcuts
    InstalledStart = 3,  // no switch, running from the data folder
    Uninstall = 4,       // "/uninst"
    ApplyUpdate = 5,     // "/update"
    NewGameWindow = 6,   // "/newgm /<owner window> /<owner's page count>"
    GameHallWindow = 7,  // "/gmhall /<owner window>"
    // Chores an elevated main window hands on to a short process with the
    // player's rights: the player's caches, and an address for the player's
    // own browser.
    ClearCache = 8,      // "/clearcache"
    OpenAddress = 9,     // "/open <address>"
};

struct LaunchInfo {
    LaunchMode mode = LaunchMode::Install;
    int32_t ownerWnd = 0;    // modes 6 and 7
    int32_t ownerPages = 0;  // mode 6
    std::wstring address;    // mode 9
};

// Whether a launch mode makes the automatic (not forced) update check at all.
bool ModeChecksAutomatically(LaunchMode mode);

// Whether a launch mode's process runs with the player's rights, not as
// administrator: the web pages and the chores. It must not write where only
// administrators may, nor make the data folder theirs.
bool RunsAsPlayer(LaunchMode mode);

// args: the command-line arguments after the program name.
// exePathUpper, dataFolderUpper: both already in upper case (the platform's
// own case mapping), so that any letter case of the path matches.
LaunchInfo ParseLaunchMode(const std::vector<std::wstring>& args, const std::wstring& exePathUpper,
                           const std::wstring& dataFolderUpper);
