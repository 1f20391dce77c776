#include <gtest/gtest.h>

#include "mainwnd/MenuItems.h"

namespace {
std::vector<int> Ids(const std::vector<MenuItemDef>& items) {
    std::vector<int> ids;
    for (const MenuItemDef& item : items) ids.push_back(item.separator ? 0 : item.id);
    return ids;
}
}  // namespace

TEST(MenuItems, BothMenusShareTheCommandsAndEndDifferently) {
    const auto system = BuildMenuItems(LauncherMenu::System, L"F10");
    const auto tray = BuildMenuItems(LauncherMenu::Tray, L"F10");
    EXPECT_EQ(Ids(system), (std::vector<int>{1, 2, 3, 0, 4, 5, -1}));
    EXPECT_EQ(Ids(tray), (std::vector<int>{1, 2, 3, 0, 4, 5, 6}));
    EXPECT_EQ(system.back().text, L"版本号: 3.0.0.1");
    EXPECT_EQ(tray.back().text, L"退出");
    for (size_t i = 0; i + 1 < system.size(); ++i) EXPECT_EQ(system[i].text, tray[i].text) << i;
    EXPECT_EQ(system[0].text, L"刷新 (F5)");
    EXPECT_EQ(system[2].text, L"清除缓存");
    EXPECT_EQ(system[4].text, L"更新");
    EXPECT_EQ(system[5].text, L"设置...");
}

TEST(MenuItems, TheHideItemNamesTheBossKeyAsTheDialogShowsIt) {
    EXPECT_EQ(BuildMenuItems(LauncherMenu::Tray, L"F10")[1].text, L"隐藏/恢复(F10)");
    EXPECT_EQ(BuildMenuItems(LauncherMenu::System, L"Ctrl  +  Q")[1].text, L"隐藏/恢复(Ctrl  +  Q)");
    EXPECT_EQ(BuildMenuItems(LauncherMenu::System, L"无")[1].text, L"隐藏/恢复(无)");
}

TEST(MenuItems, ATabsMenuMutesItsAccountZoomsItOrClosesIt) {
    for (bool muted : {false, true}) {
        const auto items = BuildTabMenuItems(muted, 100);
        EXPECT_EQ(Ids(items), (std::vector<int>{kTabMenuMute, kTabMenuZoomIn, kTabMenuZoomOut, kTabMenuZoomReset,
                                                kTabMenuClose}));
        EXPECT_EQ(items[0].text, L"静音此账号");
        EXPECT_EQ(items[0].checked, muted);
        EXPECT_EQ(items[1].text, L"放大");
        EXPECT_EQ(items[2].text, L"缩小");
        EXPECT_EQ(items[3].text, L"实际大小");
        EXPECT_EQ(items[4].text, L"关闭此账号");
        EXPECT_FALSE(items[4].checked);
    }
    // An item that would change nothing is grayed.
    auto grayed = [](int zoom) {
        std::vector<bool> g;
        for (const MenuItemDef& item : BuildTabMenuItems(false, zoom)) g.push_back(item.grayed);
        return g;
    };
    EXPECT_EQ(grayed(100), (std::vector<bool>{false, false, false, true, false}));
    EXPECT_EQ(grayed(200), (std::vector<bool>{false, true, false, false, false}));
    EXPECT_EQ(grayed(50), (std::vector<bool>{false, false, true, false, false}));
}
