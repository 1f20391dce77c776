#include "extras/InternetShortcut.h"

#include <gtest/gtest.h>

TEST(InternetShortcut, SevenLinesEachEndedByCrLfWithTheAddressTwice) {
    EXPECT_EQ(InternetShortcutText(L"http://127.0.0.1/games/s12.page?a=1&b=%E4"),
              L"[DEFAULT]\r\n"
              L"BASEURL=http://127.0.0.1/games/s12.page?a=1&b=%E4\r\n"
              L"[{000214A0-0000-0000-C000-000000000046}]\r\n"
              L"=19,2\r\n"
              L"[InternetShortcut]\r\n"
              L"URL=http://127.0.0.1/games/s12.page?a=1&b=%E4\r\n"
              L"IDList=\r\n");
}

TEST(InternetShortcut, ALongAddressIsKeptWhole) {
    const std::wstring url = L"http://h/" + std::wstring(1500, L'q');
    const std::wstring text = InternetShortcutText(url);
    EXPECT_NE(text.find(L"\r\nBASEURL=" + url + L"\r\n"), std::wstring::npos);
    EXPECT_NE(text.find(L"\r\nURL=" + url + L"\r\nIDList=\r\n"), std::wstring::npos);
}

TEST(InternetShortcut, TheFileIsTheNameInTheFavoritesFolder) {
    EXPECT_EQ(FavouriteFilePath(L"C:\\users\\me\\Favorites", L"Ferrowind S12 双线》青龙"),
              L"C:\\users\\me\\Favorites\\Ferrowind S12 双线》青龙.url");
    EXPECT_EQ(FavouriteFilePath(L"", L"x"), L"") << "no folder";
}

TEST(InternetShortcut, ANameThatWouldLeaveTheFolderOrIsNoFileNameIsRefused) {
    const std::wstring folder = L"C:\\users\\me\\Favorites";
    for (const wchar_t* name : {L"..\\Start Menu\\Programs\\Startup\\x", L"a/b", L"C:x", L"a*b", L"a?b", L"a\"b",
                                L"a<b", L"a>b", L"a|b", L"", L".", L".."})
        EXPECT_EQ(FavouriteFilePath(folder, name), L"") << "name " << testing::PrintToString(std::wstring(name));
    EXPECT_EQ(FavouriteFilePath(folder, std::wstring(L"a\tb")), L"");
    EXPECT_EQ(FavouriteFilePath(folder, L"S12...游戏"), folder + L"\\S12...游戏.url") << "dots inside are fine";
}

TEST(InternetShortcut, PathsAreHeldTo259Characters) {
    const std::wstring folder = L"C:\\f";  // 4 characters, then "\" and ".url": 5 more
    EXPECT_EQ(FavouriteFilePath(folder, std::wstring(250, L'n')).size(), 259u);
    EXPECT_EQ(FavouriteFilePath(folder, std::wstring(251, L'n')), L"");
}
