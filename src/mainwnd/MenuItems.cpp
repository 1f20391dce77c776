#include "mainwnd/MenuItems.h"

#include "base/ProgramVersion.h"

std::vector<MenuItemDef> BuildMenuItems(LauncherMenu menu, const std::wstring& bossKeyText) {
    std::vector<MenuItemDef> items = {
        {kMenuRefresh, L"刷新 (F5)", false},
        {kMenuHideRestore, L"隐藏/恢复(" + bossKeyText + L")", false},
        {kMenuClearCache, L"清除缓存", false},
        {0, L"", true},
        {kMenuUpdate, L"更新", false},
        {kMenuSettings, L"设置...", false},
    };
    if (menu == LauncherMenu::System)
        items.push_back({kMenuVersion, std::wstring(L"版本号: ") + kProgramVersion, false});
    else
        items.push_back({kMenuExit, L"退出", false});
    return items;
}

std::vector<MenuItemDef> BuildTabMenuItems(bool accountMuted) {
    return {
        {kTabMenuMute, L"静音此账号", false, accountMuted},
        {kTabMenuShot, L"截图", false, false},
        {kTabMenuClose, L"关闭此账号", false, false},
    };
}
