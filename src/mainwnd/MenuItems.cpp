#include "mainwnd/MenuItems.h"

#include "base/ProgramVersion.h"
#include "engine/PageZoomSteps.h"

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

std::vector<MenuItemDef> BuildTabMenuItems(bool accountMuted, int zoomPercent) {
    auto stays = [zoomPercent](ZoomStep step) { return SteppedZoom(zoomPercent, step) == zoomPercent; };
    return {
        {kTabMenuMute, L"静音此账号", false, accountMuted},
        {kTabMenuZoomIn, L"放大", false, false, stays(ZoomStep::In)},
        {kTabMenuZoomOut, L"缩小", false, false, stays(ZoomStep::Out)},
        {kTabMenuZoomReset, L"实际大小", false, false, stays(ZoomStep::ActualSize)},
        {kTabMenuShot, L"截图", false, false},
        {kTabMenuClose, L"关闭此账号", false, false},
    };
}
