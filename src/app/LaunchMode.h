#pragma once
// Which of the eight roles a process of the launcher plays, decided from its
// command line and from where its executable lies.
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
};

struct LaunchInfo {
    LaunchMode mode = LaunchMode::Install;
    int32_t ownerWnd = 0;    // modes 6 and 7
    int32_t ownerPages = 0;  // mode 6
};

// The folder below the common application-data folder where the launcher
// installs itself.
extern const wchar_t kDataSubfolder[];  // L"\\Korvel\\GameLogin"

// args: the command-line arguments after the program name.
// exePathUpper, dataFolderUpper: both already in upper case (the platform's
// own case mapping), so that any letter case of the path matches.
LaunchInfo ParseLaunchMode(const std::vector<std::wstring>& args, const std::wstring& exePathUpper,
                           const std::wstring& dataFolderUpper);

// An executable's path as the start of a command line: quoted when it holds a
// blank, so that the arguments after it stay where the child looks for them.
std::wstring CommandLineProgram(const std::wstring& exePath);
