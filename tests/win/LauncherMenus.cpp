// Driving a launcher's menus as a player would: the system and tray menus
// of its main window and the menu of a tab.
#include "LauncherDriver.h"

#include "Screenshot.h"
#include "mainwnd/MainWindowMessages.h"
#include "mainwnd/TabStripRules.h"
#include "resource.h"
#include "ui/WindowDpi.h"

namespace wintest {

namespace {
const wchar_t kMenuClass[] = L"#32768";

HWND WaitForMenu(DWORD pid) {
    HWND menu = nullptr;
    WaitUntil(
        [&] {
            for (HWND w : FindWindows(pid, kMenuClass, L""))
                if (::IsWindowVisible(w)) menu = w;
            return menu != nullptr;
        },
        5000);
    return menu;
}

// Chooses the `position`-th item of the menu `app` is opening.
bool PickFromMenu(LauncherInstance& app, int position, const wchar_t* screenshot) {
    HWND menu = WaitForMenu(app.process.pid());
    if (!menu) return false;
    PumpFor(300);
    if (screenshot) CaptureWindowPng(::GetDesktopWindow(), screenshot);
    for (int i = 0; i < position; ++i) PressKeys({VK_DOWN});
    PressKeys({VK_RETURN});
    return WaitUntil([&] { return !::IsWindowVisible(menu); }, 3000);
}
}  // namespace

POINT TabPoint(HWND main, int tab) {
    // Left of the middle: the close box sits at the tab's right end.
    const Rect r = TabRect(tab, ScaleOfWindow(main));
    POINT at{r.left + r.width() / 3, (r.top + r.bottom) / 2};
    ::ClientToScreen(main, &at);
    return at;
}

bool ChooseMenuItem(LauncherInstance& app, bool trayMenu, int position, const wchar_t* screenshot) {
    ::SetForegroundWindow(app.main);
    PumpFor(100);
    if (trayMenu)
        ::PostMessageW(app.main, WM_TRAY_NOTIFY, 1, WM_RBUTTONUP);
    else
        ::PostMessageW(app.main, WM_COMMAND, MAKEWPARAM(IDC_BTN_MENU, BN_CLICKED), 0);
    return PickFromMenu(app, position, screenshot);
}

bool ChooseTabMenuItem(LauncherInstance& app, int tab, int position, const wchar_t* screenshot) {
    if (!FocusWindow(app.main)) return false;
    ClickWith(TabPoint(app.main, tab), MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    return PickFromMenu(app, position, screenshot);
}

}  // namespace wintest
