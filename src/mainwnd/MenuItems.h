#pragma once
// The pop-up menus of a main window, built afresh each time they open: the
// system menu under "系统" and the tray icon's menu, which hold the same
// commands (the system menu ends with the version line, the tray menu with
// "退出"), and the menu of one tab.
#include <string>
#include <vector>

enum class LauncherMenu { System, Tray };

// The ids the menus answer with.
enum MenuCommand : int {
    kMenuNone = 0,  // dismissed
    kMenuRefresh = 1,
    kMenuHideRestore = 2,
    kMenuClearCache = 3,
    kMenuUpdate = 4,
    kMenuSettings = 5,
    kMenuExit = 6,
    kMenuVersion = -1,  // an ordinary item whose choice does nothing
};

// The ids the menu of a tab answers with.
enum TabMenuCommand : int {
    kTabMenuMute = 1,   // mute or unmute that account
    kTabMenuClose = 2,  // close that page, as a middle click does
    kTabMenuZoomIn = 3,     // zoom that account's page a step in,
    kTabMenuZoomOut = 4,    // a step out,
    kTabMenuZoomReset = 5,  // or back to 100 %
    kTabMenuShot = 6,   // save a picture of that page
};

struct MenuItemDef {
    int id = 0;
    std::wstring text;
    bool separator = false;
    bool checked = false;
    bool grayed = false;  // shown, but it would change nothing
};

// The items in order; `bossKeyText` is the boss key as the settings dialog
// shows it ("F10", "Ctrl  +  Q").
std::vector<MenuItemDef> BuildMenuItems(LauncherMenu menu, const std::wstring& bossKeyText);

// The menu of a tab whose account is muted on its own (`accountMuted`) or
// not, and whose page is zoomed to `zoomPercent`.
std::vector<MenuItemDef> BuildTabMenuItems(bool accountMuted, int zoomPercent);
