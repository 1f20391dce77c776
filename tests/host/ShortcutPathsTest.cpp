#include "app/ShortcutPaths.h"

#include <gtest/gtest.h>

TEST(ShortcutPaths, LinksAndTheStartMenuFolder) {
    EXPECT_EQ(LinkPathIn(L"C:\\users\\Public\\Desktop", kGameLinkName),
              L"C:\\users\\Public\\Desktop\\KorvelFerrowind极速登录器.lnk");
    const std::wstring menu = StartMenuFolderIn(L"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs");
    EXPECT_EQ(menu, L"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Korvel登录器");
    EXPECT_EQ(LinkPathIn(menu, kUninstallLinkName), menu + L"\\卸载 KorvelFerrowind极速登录器.lnk");
    EXPECT_EQ(LinkPathIn(L"C:\\d", kPortalGamesLinkName), L"C:\\d\\Korvel网页游戏.lnk");
    // Without a folder (the shell did not say) there is no path.
    EXPECT_EQ(LinkPathIn(L"", kGameLinkName), L"");
    EXPECT_EQ(StartMenuFolderIn(L""), L"");
}

TEST(ShortcutPaths, PathsLongerThan259CharactersAreNotFormed) {
    // "\" + name + ".lnk" is 1 + 6 + 4 characters for "abcdef".
    const std::wstring fits(259 - 11, L'x');
    EXPECT_EQ(LinkPathIn(fits, L"abcdef").size(), 259u);
    EXPECT_EQ(LinkPathIn(fits + L"y", L"abcdef"), L"") << "cut off, it would name another file";
    const std::wstring programs(259 - 10, L'p');  // "\Korvel登录器" is 10 characters
    EXPECT_EQ(StartMenuFolderIn(programs).size(), 259u);
    EXPECT_EQ(StartMenuFolderIn(programs + L"p"), L"");
}

TEST(ShortcutPaths, TheEarlierPerUserLinkLiesOnTheUsersOwnDesktop) {
    EXPECT_EQ(LegacyUserDesktopLink(L"C:\\Users\\lucky\\Documents", L"C:\\Users\\Public\\Desktop"),
              L"C:\\Users\\lucky\\Desktop\\KorvelFerrowind极速登录器.lnk");
    EXPECT_EQ(LegacyUserDesktopLink(L"C:\\Documents and Settings\\lucky\\My Documents",
                                    L"C:\\Documents and Settings\\All Users\\桌面"),
              L"C:\\Documents and Settings\\lucky\\桌面\\KorvelFerrowind极速登录器.lnk");
    EXPECT_EQ(LegacyUserDesktopLink(L"Documents", L"C:\\Users\\Public\\Desktop"), L"");
    EXPECT_EQ(LegacyUserDesktopLink(L"C:\\Users\\lucky\\Documents", L"Desktop"), L"");
}
