// The system menu and the tray menu of a running instance, chosen with the
// keyboard as a player would, and the tray icon's clicks.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "base/WindowMessages.h"
#include "LauncherDriver.h"
#include "mainwnd/MainWindowMessages.h"
#include "mainwnd/Plexor3Dlg.h"
#include "PortalClient.h"
#include "resource.h"
#include "Screenshot.h"
#include "WinTestSupport.h"

using namespace wintest;

namespace {
const wchar_t kMenuClass[] = L"#32768";

bool Shown(HWND wnd) { return ::IsWindowVisible(wnd) != FALSE; }

// An instance with one game page, so that its window is enabled and shown.
struct OnePage {
    OnePage() {
        if (app.main && LogIn(app, L"lucky12") && app.WaitForPages(1))
            ready = WaitUntil([&] { return Shown(PageFrames(app.main)[0]); }, 15000) &&
                    WaitForPageKeyboard(PageFrames(app.main)[0]);
    }
    bool Choose(bool trayMenu, int position, const wchar_t* screenshot = nullptr) {
        return ChooseMenuItem(app, trayMenu, position, screenshot);
    }
    HWND Box() {
        HWND box = nullptr;
        WaitUntil(
            [&] {
                for (HWND w : FindWindows(app.process.pid(), kDialogClass, kMainTitle))
                    if (w != app.main && Shown(w) && ::GetDlgItem(w, 5000)) box = w;
                return box != nullptr;
            },
            5000);
        return box;
    }
    PortalSession portal;
    LauncherInstance app;
    bool ready = false;
};
}  // namespace

TEST(Menus, SystemMenuItemsDoWhatTheySay) {
    OnePage one;
    ASSERT_TRUE(one.ready);
    HWND main = one.app.main;
    const std::wstring game = L"/games/s12.page";

    const int loads = PortalCount(game);
    ASSERT_TRUE(one.Choose(false, 1, L"menu-system.png"));  // 刷新 (F5)
    EXPECT_TRUE(WaitUntil([&] { return PortalCount(game) > loads; }, 5000)) << "the game page reloads";

    ASSERT_TRUE(one.Choose(false, 2));  // 隐藏/恢复
    EXPECT_TRUE(WaitUntil([&] { return !Shown(main); }, 3000));
    ::PostMessageW(main, WM_TRAY_NOTIFY, 1, WM_LBUTTONUP);  // the tray icon brings it back
    EXPECT_TRUE(WaitUntil([&] { return Shown(main); }, 3000));

    ASSERT_TRUE(one.Choose(false, 3));  // 清除缓存: the message comes at once
    HWND box = one.Box();
    ASSERT_NE(box, nullptr) << "缓存清除完毕！";
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(5000, BN_CLICKED), 0);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(box); }, 3000));

    ASSERT_TRUE(one.Choose(false, 4));  // 更新: the portal offers nothing newer
    box = one.Box();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), L"已经是最新版本，无需进行更新。");
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(5000, BN_CLICKED), 0);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(box); }, 3000));
    EXPECT_TRUE(one.app.process.IsRunning());

    ASSERT_TRUE(one.Choose(false, 5));  // 设置...
    HWND settings = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            for (HWND w : FindWindows(one.app.process.pid(), kDialogClass, L"设置"))
                if (Shown(w)) settings = w;
            return settings != nullptr;
        },
        5000));
    CaptureWindowPng(settings, L"menu-settings.png");
    ::PostMessageW(settings, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(settings) || !Shown(settings); }, 3000));

    ASSERT_TRUE(one.Choose(false, 6));  // the version line
    PumpFor(500);
    EXPECT_TRUE(Shown(main));
    EXPECT_TRUE(one.app.process.IsRunning());
}

TEST(Menus, TrayMenuExitsWithoutAQuestion) {
    OnePage one;
    ASSERT_TRUE(one.ready);
    // Hidden, the tray icon still offers its menu.
    ::PostMessageW(one.app.main, WM_TRAY_NOTIFY, 1, WM_LBUTTONUP);
    ASSERT_TRUE(WaitUntil([&] { return !Shown(one.app.main); }, 3000));
    EXPECT_TRUE(TrayIconExists(one.app.main));
    ASSERT_TRUE(one.Choose(true, 6, L"menu-tray.png"));  // 退出
    EXPECT_TRUE(one.app.process.WaitForExit(5000));
    EXPECT_EQ(one.app.process.ExitCode(), 0u);
    EXPECT_FALSE(TrayIconExists(one.app.main)) << "the icon goes with the instance";
}

TEST(Menus, RefreshWithoutAPageDoesNothingVisible) {
    PortalSession portal;
    LauncherInstance app;
    ASSERT_NE(app.main, nullptr);
    // Straight to the choice: the window is disabled by its pending login.
    ::PostMessageW(app.main, WM_KEYDOWN, VK_F5, kSystemMarker);
    PumpFor(500);
    EXPECT_TRUE(app.process.IsRunning());
    EXPECT_EQ(app.Pages(), 0u);
}

TEST(Menus, TheHideItemNamesTheBossKeyOfTheMoment) {
    ExeIni ini;
    ini.Set(L"ShortKey", L"2,81");
    CPlexor3Dlg main;
    main.SetChildExecutable(L"Z:\\no-login-here.exe");
    ASSERT_TRUE(main.Create(IDD_PLEXOR3_DIALOG));
    main.SetWindowPos(nullptr, 0, 0, 800, 500, SWP_NOZORDER);
    main.ShowWindow(SW_SHOW);
    ::SetForegroundWindow(main.m_hWnd);

    std::wstring text;
    std::atomic<bool> done{false};
    std::thread reader([&] {
        HWND menu = nullptr;
        WaitUntil(
            [&] {
                for (HWND w : FindWindows(::GetCurrentProcessId(), kMenuClass, L""))
                    if (Shown(w)) menu = w;
                return menu != nullptr || done;
            },
            5000);
        if (menu) {
            HMENU handle = reinterpret_cast<HMENU>(::SendMessageW(menu, MN_GETHMENU, 0, 0));
            wchar_t buf[64] = {};
            ::GetMenuStringW(handle, 2, buf, 64, MF_BYCOMMAND);
            text = buf;
            ::PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        }
    });
    main.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_BTN_MENU, BN_CLICKED), 0);
    done = true;
    reader.join();
    EXPECT_EQ(text, L"隐藏/恢复(Ctrl  +  Q)");
    main.DestroyWindow();
}
