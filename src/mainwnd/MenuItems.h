#pragma once
// The two pop-up menus of a main window, built afresh each time they open:
// the system menu under "系统" and the tray icon's menu. Both hold the same
// commands; the system menu ends with the version line, the tray menu with
// "退出".
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

struct MenuItemDef {
    int id = 0;
    std::wstring text;
    bool separator = false;
};

// The items in order; `bossKeyText` is the boss key as the settings dialog
// shows it ("F10", "Ctrl  +  Q").
std::vector<MenuItemDef> BuildMenuItems(LauncherMenu menu, const std::wstring& bossKeyText);
