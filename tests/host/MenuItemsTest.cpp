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

TEST(MenuItems, ATabsMenuMutesItsAccountZoomsItShootsItOrClosesIt) {
    for (bool muted : {false, true}) {
        const auto items = BuildTabMenuItems(muted, 100);
        EXPECT_EQ(Ids(items), (std::vector<int>{kTabMenuMute, kTabMenuZoomIn, kTabMenuZoomOut, kTabMenuZoomReset,
                                                kTabMenuShot, kTabMenuClose}));
        std::vector<std::wstring> texts;
        for (const MenuItemDef& item : items) texts.push_back(item.text);
        EXPECT_EQ(texts, (std::vector<std::wstring>{L"静音此账号", L"放大", L"缩小", L"实际大小", L"截图", L"关闭此账号"}));
        EXPECT_EQ(items[0].checked, muted);
        EXPECT_FALSE(items[4].checked || items[5].checked);
    }
    // An item that would change nothing is grayed.
    EXPECT_TRUE(BuildTabMenuItems(false, 100)[3].grayed && BuildTabMenuItems(false, 200)[1].grayed);
    EXPECT_TRUE(BuildTabMenuItems(false, 50)[2].grayed);
    for (const MenuItemDef& item : BuildTabMenuItems(false, 125)) EXPECT_FALSE(item.grayed) << item.id;
}
