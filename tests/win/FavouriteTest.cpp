// Ctrl+D in a game page saves it as a favourite: the dialog proposes the
// page's title, OK writes the Internet shortcut into the Favorites folder,
// Cancel writes nothing, and only a plain first press of the D key opens it.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "extras/FavouriteFile.h"
#include "FolderLink.h"
#include "GameLogin.h"
#include "LauncherDriver.h"
#include "PortalClient.h"
#include "Screenshot.h"
#include "WinTestSupport.h"

using namespace wintest;

namespace {
const wchar_t kFavCaption[] = L"添加收藏";
const wchar_t kPageTitle[] = L"Ferrowind S12 双线》青龙";  // title line of games/s12.page
constexpr int kNameField = 1018;

std::wstring ShortcutPath() { return ShellFolder(CSIDL_FAVORITES) + L"\\" + kPageTitle + L".url"; }

std::string ExpectedShortcut(const std::string& url) {
    return "[DEFAULT]\r\nBASEURL=" + url +
           "\r\n[{000214A0-0000-0000-C000-000000000046}]\r\n=19,2\r\n[InternetShortcut]\r\nURL=" + url +
           "\r\nIDList=\r\n";
}

std::string Narrow(const std::wstring& ascii) { return std::string(ascii.begin(), ascii.end()); }

// Keys as a keyboard sends them, scan codes included (the favourites key is
// told by its scan code): pressed in order, let go in reverse order.
void PressKeyboardKeys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> input;
    auto add = [&](WORD vk, DWORD flags) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = vk;
        in.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
        in.ki.dwFlags = flags;
        input.push_back(in);
    };
    for (WORD vk : keys) add(vk, 0);
    for (auto it = keys.end(); it != keys.begin();) add(*--it, KEYEVENTF_KEYUP);
    ::SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
    PumpFor(200);
}

std::wstring FieldText(HWND dlg) {
    wchar_t text[256] = {};
    ::GetDlgItemTextW(dlg, kNameField, text, 256);
    return text;
}

// The Favorites folder moved aside for a test, and put back.
struct FavoritesAside {
    FavoritesAside() : folder(ShellFolder(CSIDL_FAVORITES)), aside(folder + L".zuva-test-aside") {
        moved = ::MoveFileW(folder.c_str(), aside.c_str()) != FALSE;
    }
    ~FavoritesAside() {
        if (moved) ::MoveFileW(aside.c_str(), folder.c_str());
    }
    std::wstring folder, aside;
    bool moved = false;
};

// A game page of one instance, logged in and shown, with its shortcut file
// put back as it was afterwards.
struct GamePage : PortalSession {
    explicit GamePage(const std::wstring& path = L"/games/s12.page") : backup(ShortcutPath()) {
        ::DeleteFileW(ShortcutPath().c_str());
        ready = app.main && LogInToGame(app, path);
        if (ready) frame = PageFrames(app.main)[0];
        // The title arrives with the loaded page.
        ::Sleep(500);
    }
    void ClickIntoGame() const {
        RECT r{};
        ::GetWindowRect(frame, &r);
        ClickAt(POINT{(r.left + r.right) / 2, r.bottom - 20});
        PumpFor(300);
    }
    FileBackup backup;
    LauncherInstance app;
    HWND frame = nullptr;
    bool ready = false;
};
}  // namespace

TEST(Favourite, CtrlDInTheGameProposesItsTitleAndOkWritesTheShortcut) {
    GamePage page;
    ASSERT_TRUE(page.ready);
    page.ClickIntoGame();
    PressKeyboardKeys({VK_CONTROL, 'D'});
    HWND dlg = WaitForWindow(ProcessOfWindow(page.frame), L"#32770", kFavCaption, 5000);
    ASSERT_NE(dlg, nullptr) << "the dialog runs in the page's process";
    EXPECT_EQ(FieldText(dlg), kPageTitle);
    EXPECT_FALSE(::IsWindowEnabled(page.app.main)) << "the main window waits for it";
    ::Sleep(300);
    CaptureWindowPng(dlg, L"favourite-dialog.png");

    ::PostMessageW(::GetDlgItem(dlg, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(dlg); }, 5000));
    const std::string url = Narrow(PortalUrl(L"/games/s12.page"));
    EXPECT_EQ(ReadFileBytes(ShortcutPath()), ExpectedShortcut(url));
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(page.app.main) != FALSE; }, 3000));
}

TEST(Favourite, AnAddressOfOverFourHundredCharactersIsSavedWhole) {
    const std::wstring path = L"/games/s12.page?session=" + std::wstring(350, L'k') + L"&end=1";
    GamePage page(path);
    ASSERT_TRUE(page.ready);
    ::PostMessageW(page.frame, WM_CHAR, 4, 0x00200001);
    HWND dlg = WaitForWindow(ProcessOfWindow(page.frame), L"#32770", kFavCaption, 5000);
    ASSERT_NE(dlg, nullptr);
    ASSERT_EQ(FieldText(dlg), kPageTitle) << "the long address was loaded";
    ::PostMessageW(::GetDlgItem(dlg, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(dlg); }, 5000));
    EXPECT_EQ(ReadFileBytes(ShortcutPath()), ExpectedShortcut(Narrow(PortalUrl(path))));
}

TEST(Favourite, TheMainWindowForwardsCtrlDAndCancelWritesNothing) {
    GamePage page;
    ASSERT_TRUE(page.ready);
    // The character as the main window's own message loop sees it.
    ::PostMessageW(page.app.main, WM_CHAR, 4, 0x00200001);
    HWND dlg = WaitForWindow(ProcessOfWindow(page.frame), L"#32770", kFavCaption, 5000);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(FieldText(dlg), kPageTitle);
    ::PostMessageW(::GetDlgItem(dlg, IDCANCEL), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(dlg); }, 5000));
    ::Sleep(300);
    EXPECT_FALSE(FileExists(ShortcutPath()));
}

TEST(Favourite, AltCtrlDARepeatOrAnotherKeyOpensNothing) {
    GamePage page;
    ASSERT_TRUE(page.ready);
    const DWORD pid = ProcessOfWindow(page.frame);
    page.ClickIntoGame();
    PressKeyboardKeys({VK_MENU, VK_CONTROL, 'D'});
    ::PostMessageW(page.frame, WM_CHAR, 4, 0x40200001);  // an auto-repeated D
    ::PostMessageW(page.frame, WM_CHAR, 4, 0x00210001);  // the character from another key
    ::Sleep(1500);
    EXPECT_TRUE(FindWindows(pid, L"#32770", kFavCaption).empty());
    // The same page still answers a plain press.
    ::PostMessageW(page.frame, WM_CHAR, 4, 0x00200001);
    HWND dlg = WaitForWindow(pid, L"#32770", kFavCaption, 5000);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(FindWindows(pid, L"#32770", kFavCaption).size(), 1u);
    ::PostMessageW(::GetDlgItem(dlg, IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(dlg); }, 5000));
}

// The page process runs elevated: a file of the favourite's name is replaced,
// and a Favorites folder that is a link gets nothing written through it.
TEST(Favourite, ReplacesTheFileButWritesNothingThroughALinkedFolder) {
    const std::wstring saved = ShellFolder(CSIDL_FAVORITES) + L"\\zuva-test.url";
    FileBackup backup(saved);
    ASSERT_TRUE(SaveFavourite(L"zuva-test", L"http://127.0.0.1/a"));
    ASSERT_TRUE(SaveFavourite(L"zuva-test", L"http://127.0.0.1/b"));
    EXPECT_EQ(ReadFileBytes(saved), ExpectedShortcut("http://127.0.0.1/b"));

    const std::wstring elsewhere = TempFolder() + L"zuva-favourites-elsewhere";
    FolderChain target(elsewhere);
    FavoritesAside favorites;
    ASSERT_TRUE(favorites.moved);
    FolderLink link(favorites.folder, elsewhere);
    if (!link.made()) GTEST_SKIP() << "this system makes no directory link that it reports as one";
    EXPECT_FALSE(SaveFavourite(L"zuva-test", L"http://127.0.0.1/c"));
    EXPECT_FALSE(FileExists(elsewhere + L"\\zuva-test.url"));
    ::DeleteFileW((elsewhere + L"\\zuva-test.url").c_str());
}
