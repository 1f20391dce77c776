// The hotkeys of a running instance, pressed with real input: the boss key
// and the sound key through the system-wide hook, the switch key through the
// launcher's own windows, and a reload after the settings changed.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>

#include "base/WindowMessages.h"
#include "LauncherDriver.h"
#include "mainwnd/Plexor3Dlg.h"
#include "PageSpy.h"
#include "PortalClient.h"
#include "Screenshot.h"
#include "resource.h"
#include "WinTestSupport.h"

using namespace wintest;

namespace {
bool Shown(HWND wnd) { return ::IsWindowVisible(wnd) != FALSE; }

// A focused window of the test, to see that hotkeys still reach the program
// that has the focus.
struct FocusedSpy {
    FocusedSpy() {
        ::ShowWindow(spy.wnd(), SW_SHOW);
        ::SetForegroundWindow(spy.wnd());
        ::SetFocus(spy.wnd());
        PumpFor(100);
    }
    bool Saw(WPARAM vk) const {
        return std::any_of(spy.keys.begin(), spy.keys.end(), [vk](const MSG& m) { return m.wParam == vk; });
    }
    PageSpy spy;
};

// A key held down: the keyboard repeats its key-down until the key-up.
void HoldKey(WORD vk, int keyDowns) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    for (int i = 0; i < keyDowns; ++i, ::Sleep(40)) ::SendInput(1, &input, sizeof(INPUT));
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(1, &input, sizeof(INPUT));
}
}  // namespace

TEST(Hotkeys, BossKeyHidesAndRestoresOnlyWithAGamePageAndIsNeverSwallowed) {
    ExeIni settings;  // beside the launcher, as the test found it
    settings.Set(L"ShortKey", nullptr);  // the default, F10
    LauncherInstance app;
    ASSERT_NE(app.main, nullptr);
    ASSERT_NE(app.NextLogin(), nullptr);  // shown, so that it takes the focus no more
    FocusedSpy focused;

    // No game page yet: the key does nothing.
    PressKeys({VK_F10});
    PumpFor(500);
    EXPECT_TRUE(Shown(app.main));
    EXPECT_TRUE(focused.Saw(VK_F10)) << "the focused program gets the key";

    PageSpy page;
    page.AttachTo(app.main);
    PumpFor(300);
    ::SetForegroundWindow(focused.spy.wnd());
    focused.spy.keys.clear();
    PressKeys({VK_CONTROL, VK_SHIFT, VK_F10});  // an extra modifier: not the boss key
    PumpFor(500);
    EXPECT_TRUE(Shown(app.main));

    // The add-account prompt open: it hides with the window.
    ::PostMessageW(app.main, WM_COMMAND, MAKEWPARAM(IDC_LNK_ADDACC, STN_CLICKED), 0);
    HWND prompt = WaitForWindow(app.process.pid(), kDialogClass, L"登录其他账号", 5000);
    ASSERT_NE(prompt, nullptr);
    PressKeys({VK_F10});
    EXPECT_TRUE(WaitUntil([&] { PumpFor(20); return !Shown(app.main); }, 3000)) << "hidden";
    EXPECT_FALSE(Shown(prompt));
    EXPECT_TRUE(focused.Saw(VK_F10));

    // Another program in front: the window comes back in front of it.
    ASSERT_TRUE(FocusWindow(focused.spy.wnd()));
    PressKeys({VK_F10});
    EXPECT_TRUE(WaitUntil([&] { PumpFor(20); return Shown(app.main); }, 3000)) << "back again";
    EXPECT_TRUE(WaitUntil([&] { PumpFor(20); return ::GetForegroundWindow() == app.main; }, 3000));

    // Held down past the repeat delay: hidden once, not back with every other repeat.
    HoldKey(VK_F10, 4);
    EXPECT_TRUE(WaitUntil([&] { PumpFor(20); return !Shown(app.main); }, 3000));
    PumpFor(1000);
    EXPECT_FALSE(Shown(app.main)) << "one hold, one hide";
}

TEST(Hotkeys, ABusyMainWindowHoldsUpNoKeyAndHidesOnceFree) {
    ExeIni settings;  // beside the launcher, as the test found it
    settings.Set(L"ShortKey", nullptr);
    LauncherInstance app;
    ASSERT_NE(app.main, nullptr);
    ASSERT_NE(app.NextLogin(), nullptr);
    PageSpy page;
    page.AttachTo(app.main);
    PumpFor(300);
    FocusedSpy focused;

    // The window's thread sleeps, as it does while it waits on the network.
    const DWORD kBlockMs = 4000;
    ::PostMessageW(app.main, WM_TEST_BLOCK_THREAD, kBlockMs, 0);
    PumpFor(200);  // a message sent now would overtake the posted one
    DWORD_PTR answer = 0;
    ASSERT_FALSE(::SendMessageTimeoutW(app.main, WM_NULL, 0, 0, SMTO_BLOCK, 300, &answer)) << "the thread is busy";

    const DWORD typedAt = ::GetTickCount();
    PressKeys({'A'});
    ASSERT_TRUE(WaitUntil([&] { PumpFor(10); return focused.Saw('A'); }, kBlockMs + 3000));
    const DWORD keyMs = ::GetTickCount() - typedAt;
    std::printf("a key typed elsewhere arrived after %lu ms\n", keyMs);
    EXPECT_LT(keyMs, 600u) << "the key waited for the busy window";  // 80 of them are the key held down

    PressKeys({VK_F10});
    EXPECT_TRUE(Shown(app.main));
    EXPECT_TRUE(WaitUntil([&] { PumpFor(20); return !Shown(app.main); }, kBlockMs + 3000)) << "hidden once free";
}

TEST(Hotkeys, SoundKeyFlipsWhatPagesHearAndLosesToTheSameBossKey) {
    ExeIni settings;  // beside the launcher, as the test found it
    settings.Set(L"ShortKey", nullptr);
    settings.Set(L"SndKey", nullptr);  // the default, Ctrl+Q
    LauncherInstance app;
    ASSERT_NE(app.main, nullptr);
    PageSpy page;
    page.AttachTo(app.main);
    PumpFor(600);

    PressKeys({VK_CONTROL, 'Q'});
    EXPECT_TRUE(WaitUntil([&] { PumpFor(20); return !page.muteValues.empty() && page.muteValues.back() == 1; }, 3000));
    PressKeys({VK_CONTROL, 'Q'});
    EXPECT_TRUE(WaitUntil([&] { PumpFor(20); return page.muteValues.back() == 0; }, 3000));

    // Both keys the same: the window hides, the sound stays as it was.
    settings.Set(L"SndKey", L"0,121");
    ::PostMessageW(app.main, WM_HOTKEYS_CHANGED, 0, 0);
    PumpFor(300);
    PressKeys({VK_F10});
    EXPECT_TRUE(WaitUntil([&] { PumpFor(20); return !Shown(app.main); }, 3000));
    PumpFor(900);
    EXPECT_EQ(page.muteValues.back(), 0u);
    PressKeys({VK_F10});
    EXPECT_TRUE(WaitUntil([&] { PumpFor(20); return Shown(app.main); }, 3000));
}

TEST(Hotkeys, ChangedSettingsReachTheMainWindowAndItsPagesAtOnce) {
    ExeIni settings;  // beside the launcher, as the test found it
    settings.Set(L"ShortKey", nullptr);
    LauncherInstance app;
    ASSERT_NE(app.main, nullptr);
    PageSpy page, hall;
    hall.AttachTo(app.main, true);
    page.AttachTo(app.main);
    PumpFor(300);
    const int reloadsBefore = page.hotkeyReloads;

    settings.Set(L"ShortKey", L"2,88");  // Ctrl+X
    ::PostMessageW(app.main, WM_HOTKEYS_CHANGED, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { PumpFor(20); return page.hotkeyReloads > reloadsBefore && hall.hotkeyReloads > 0; },
                          3000))
        << "every page and the hall reload";

    PressKeys({VK_F10});
    PumpFor(500);
    EXPECT_TRUE(Shown(app.main)) << "F10 is no longer the boss key";
    PressKeys({VK_CONTROL, 'X'});
    EXPECT_TRUE(WaitUntil([&] { PumpFor(20); return !Shown(app.main); }, 3000));
    PressKeys({VK_CONTROL, 'X'});
    EXPECT_TRUE(WaitUntil([&] { PumpFor(20); return Shown(app.main); }, 3000));
}

TEST(Hotkeys, SwitchKeyCyclesPagesFromTheMainWindowOrAPageAlsoInFullScreen) {
    PortalSession portal;
    ExeIni settings;  // beside the launcher, as the test found it
    settings.Set(L"AltWndKey", nullptr);  // the default, Ctrl+Tab
    settings.Set(L"ShortKey", nullptr);   // and F10 the boss key
    LauncherInstance app;
    ASSERT_NE(app.main, nullptr);
    ASSERT_TRUE(LogIn(app, L"lucky12") && app.WaitForPages(1));
    ASSERT_TRUE(AnswerAddAccount(app, true) && LogIn(app, L"fox12") && app.WaitForPages(2));
    ASSERT_TRUE(AnswerAddAccount(app, true) && LogIn(app, L"wolf12") && app.WaitForPages(3));
    HWND lucky = FrameOf(app.main, app.children[0]);
    HWND fox = FrameOf(app.main, app.children[1]);
    HWND wolf = FrameOf(app.main, app.children[2]);
    auto only = [&](HWND shown) {
        return WaitUntil([&] { return Shown(shown) && Shown(lucky) + Shown(fox) + Shown(wolf) == 1; }, 3000);
    };
    ASSERT_TRUE(WaitUntil([&] { return Shown(wolf); }, 15000));
    ASSERT_TRUE(only(wolf)) << "the newest page is current";

    // 3, 1, 2, 3: a page with the focus hands the key to the main window,
    // even from its chat field, which takes Tab alone ...
    for (HWND next : {lucky, fox}) {
        // The player clicks into the game's chat field first.
        for (HWND page : {lucky, fox, wolf}) {
            if (!Shown(page)) continue;
            ASSERT_TRUE(ClickPage(page, 200, 514));
            EXPECT_TRUE(SendPageCommand(page, L"focused say"));
        }
        PressKeys({VK_CONTROL, VK_TAB});
        EXPECT_TRUE(only(next));
    }
    // ... and the main window takes it itself.
    ::SetForegroundWindow(app.main);
    ASSERT_TRUE(WaitUntil([&] { PumpFor(20); return ::GetForegroundWindow() == app.main; }, 3000));
    PressKeys({VK_CONTROL, VK_TAB});
    EXPECT_TRUE(only(wolf));

    // Another program has the focus: nothing happens.
    PageSpy other;
    ::ShowWindow(other.wnd(), SW_SHOW);
    ::SetForegroundWindow(other.wnd());
    PumpFor(200);
    PressKeys({VK_CONTROL, VK_TAB});
    PumpFor(600);
    EXPECT_TRUE(only(wolf));

    // F11 in a page: the current page fills the main window's display. The
    // switch key still turns pages, the boss key hides the window and brings
    // it back so, and F11 again puts the window back where it stood.
    ::SetWindowPos(app.main, nullptr, 60, 40, 1000, 640, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT before{};
    ::GetWindowRect(app.main, &before);
    MONITORINFO display{sizeof(MONITORINFO), {}, {}, 0};
    ::GetMonitorInfoW(::MonitorFromWindow(app.main, MONITOR_DEFAULTTONEAREST), &display);
    auto covers = [&](HWND window, const RECT& expected) {
        return WaitUntil([&] {
            RECT rc{};
            return Shown(window) && ::GetWindowRect(window, &rc) && ::EqualRect(&rc, &expected);
        }, 3000);
    };
    ASSERT_TRUE(FocusWindow(wolf));
    PressKeys({VK_F11});
    EXPECT_TRUE(covers(app.main, display.rcMonitor) && covers(wolf, display.rcMonitor));
    PressKeys({VK_CONTROL, VK_TAB});
    EXPECT_TRUE(only(lucky) && covers(lucky, display.rcMonitor));
    EXPECT_TRUE(CaptureMainWindowPng(app.main, L"full-screen.png"));
    PressKeys({VK_F10});
    EXPECT_TRUE(WaitUntil([&] { return !Shown(app.main); }, 3000));
    PressKeys({VK_F10});
    EXPECT_TRUE(covers(lucky, display.rcMonitor)) << "back from the boss key in full screen";
    ASSERT_TRUE(FocusWindow(lucky));
    PressKeys({VK_F11});
    EXPECT_TRUE(covers(app.main, before)) << "F11 again";
}

TEST(Hotkeys, F5RefreshesTheGameUnlessItIsTheBossKeyButTheMenusRefreshStillDoes) {
    PortalSession portal;
    ExeIni settings;  // beside the launcher, as the test found it
    settings.Set(L"ShortKey", nullptr);
    settings.Set(L"SndKey", nullptr);
    LauncherInstance app;
    ASSERT_NE(app.main, nullptr);
    ASSERT_TRUE(LogIn(app, L"lucky12") && app.WaitForPages(1));
    HWND page = PageFrames(app.main)[0];
    ASSERT_TRUE(WaitUntil([&] { return Shown(page); }, 15000));
    const std::wstring game = L"/games/s12.page";
    const int loads = PortalCount(game);

    ASSERT_TRUE(FocusWindow(page));
    PressKeys({VK_F5});
    EXPECT_TRUE(WaitUntil([&] { return PortalCount(game) > loads; }, 5000)) << "F5 in the game refreshes it";

    // F5 becomes the boss key: it hides the window and refreshes nothing.
    settings.Set(L"ShortKey", L"0,116");
    ::PostMessageW(app.main, WM_HOTKEYS_CHANGED, 0, 0);
    PumpFor(500);
    // The frame's keys come before the page's: F5 in the chat field, which
    // would reload the page there, is the boss key's alone.
    const int beforeBoss = PortalCount(game);
    ASSERT_TRUE(FocusWindow(page));
    ASSERT_TRUE(ClickPage(page, 200, 514));
    ASSERT_TRUE(SendPageCommand(page, L"focused say"));
    PressKeys({VK_F5});
    EXPECT_TRUE(WaitUntil([&] { return !Shown(app.main); }, 3000));
    PumpFor(1000);
    EXPECT_EQ(PortalCount(game), beforeBoss);
    PressKeys({VK_F5});
    EXPECT_TRUE(WaitUntil([&] { return Shown(app.main); }, 3000));

    // The menus' refresh is an F5 the launcher marks as its own.
    ::PostMessageW(app.main, WM_KEYDOWN, VK_F5, kSystemMarker);
    EXPECT_TRUE(WaitUntil([&] { return PortalCount(game) > beforeBoss; }, 5000));
}

TEST(Hotkeys, HidingCancelsTheOpenSettingsDialog) {
    CPlexor3Dlg main;
    main.SetChildExecutable(L"Z:\\no-login-here.exe");  // no login child of the test executable
    ASSERT_TRUE(main.Create(IDD_PLEXOR3_DIALOG));
    main.SetWindowPos(nullptr, 0, 0, 800, 500, SWP_NOZORDER | SWP_NOACTIVATE);
    main.ShowWindow(SW_SHOW);

    CDialog settings(130, &main);  // any dialog stands in for the settings
    std::atomic<bool> done{false};
    std::thread boss([&] {
        // The hide button does what the boss key does; press it once the
        // dialog shows, and end the dialog otherwise rather than hang.
        WaitUntil([&] { return done || (settings.m_hWnd && ::IsWindowVisible(settings.m_hWnd)); }, 5000);
        ::PostMessageW(main.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_BTN_HIDE, BN_CLICKED), 0);
        if (!WaitUntil([&] { return done.load(); }, 5000) && settings.m_hWnd)
            ::PostMessageW(settings.m_hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    const INT_PTR result = main.RunSettingsDialog(settings);
    done = true;
    boss.join();
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_FALSE(main.IsWindowVisible());
    main.DestroyWindow();
}

TEST(Hotkeys, OnePressTogglesEveryInstanceWithAGamePage) {
    ExeIni settings;  // beside the launcher, as the test found it
    settings.Set(L"ShortKey", nullptr);
    LauncherInstance first, second;
    ASSERT_TRUE(first.main && second.main);
    ASSERT_TRUE(first.NextLogin() && second.NextLogin());
    PageSpy firstPage, secondPage;
    firstPage.AttachTo(first.main);
    secondPage.AttachTo(second.main);
    PumpFor(500);

    PressKeys({VK_F10});
    EXPECT_TRUE(WaitUntil([&] { PumpFor(20); return !Shown(first.main) && !Shown(second.main); }, 3000));
    PressKeys({VK_F10});
    EXPECT_TRUE(WaitUntil([&] { PumpFor(20); return Shown(first.main) && Shown(second.main); }, 3000));
}
