// The login road played once without a player, for tools/run.sh on a machine
// without a display: a shortcut start, two demo accounts logged in as two
// tabs, a switch between them by a tab click, and the exit. A screenshot is
// written at every stop: the login page on its background, then the main
// window with the game page of the current tab in it.
// Usage: zuva_road_demo.exe <screenshot folder>
#include <windows.h>

#include <cstdio>
#include <string>

#include "LauncherDriver.h"
#include "Screenshot.h"
#include "WinTestSupport.h"

using namespace wintest;

namespace {

class Road {
public:
    explicit Road(std::wstring folder) : m_folder(std::move(folder)) {}

    // Reports a step; false ends the road.
    bool Step(const char* what, bool ok) {
        std::printf("%-48s %s\n", what, ok ? "ok" : "FAILED");
        std::fflush(stdout);
        if (!ok) m_failed = true;
        return ok;
    }
    void Shot(HWND wnd, const wchar_t* name) { Saved(CaptureWindowPngTo(wnd, Path(name)), name); }
    // The main window with its pages, which the screen alone does not show.
    void ShotMain(HWND main, const wchar_t* name) { Saved(CaptureMainWindowPngTo(main, Path(name)), name); }
    bool failed() const { return m_failed; }

private:
    std::wstring Path(const wchar_t* name) const { return m_folder + L"\\" + name; }
    static void Saved(bool saved, const wchar_t* name) {
        if (saved) std::printf("  screenshot %ls\n", name);
        else std::printf("  screenshot %ls FAILED\n", name);
    }

    std::wstring m_folder;
    bool m_failed = false;
};

bool Visible(HWND wnd) { return wnd && ::IsWindowVisible(wnd); }

// The picture the login page of `pid` lies on: its window without a page.
HWND LoginBackground(DWORD pid) {
    for (HWND w : FindWindows(pid, kDialogClass, kMainTitle))
        if (Visible(w) && !FindPageEngineWindow(w)) return w;
    return nullptr;
}

bool PlayRoad(Road& road) {
    LauncherInstance app;
    if (!road.Step("shortcut start opens the main window", app.main != nullptr)) return false;
    HWND login = app.NextLogin();
    if (!road.Step("the first child shows its login page", login != nullptr)) return false;
    ::Sleep(1500);  // let it paint
    HWND background = LoginBackground(app.children.back());
    road.Shot(background ? background : ::GetDesktopWindow(), L"run-1-login.png");

    if (!road.Step("account lucky, server S12", SendPageCommand(login, L"click lucky12") && app.WaitForPages(1)))
        return false;
    ::Sleep(1500);
    road.ShotMain(app.main, L"run-2-one-tab.png");

    if (!road.Step("add account, new tab: account fox", AnswerAddAccount(app, true) && LogIn(app, L"fox12") &&
                                                      app.WaitForPages(2)))
        return false;
    HWND lucky = FrameOf(app.main, app.children[0]);
    HWND fox = FrameOf(app.main, app.children[1]);
    road.Step("the newest page is current",
              WaitUntil([&] { return Visible(fox) && !Visible(lucky); }, 15000));
    ::Sleep(1000);
    road.ShotMain(app.main, L"run-3-two-tabs.png");

    ClickAt(TabPoint(app.main, 0));
    road.Step("a click on the first tab shows lucky's page",
              WaitUntil([&] { return Visible(lucky) && !Visible(fox); }, 5000));
    ::Sleep(500);
    road.ShotMain(app.main, L"run-4-switched.png");

    ::PostMessageW(app.main, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    road.Step("the exit question, answered Yes", AnswerQuestion(app.process.pid(), app.main, true));
    road.Step("the instance ends", app.process.WaitForExit(10000));
    road.Step("and with it every page", app.ChildrenEnd(5000));
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    Road road(argc > 1 ? argv[1] : ScreenshotDir());
    PlayRoad(road);
    std::printf(road.failed() ? "The road failed.\n" : "The road was played to its end.\n");
    return road.failed() ? 1 : 0;
}
