// The login road as a player walks it, with real processes: a shortcut start
// shows the login, an account is chosen, the game window attaches as a tab.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <thread>

#include "accounts/MutedAccounts.h"
#include "accounts/ZoomedAccounts.h"
#include "app/LaunchModeWin.h"
#include "base/SettingsStore.h"
#include "base/WindowMessages.h"
#include "GameLogin.h"
#include "LauncherDriver.h"
#include "PageSpy.h"
#include "PortalClient.h"
#include "Screenshot.h"
#include "resource.h"
#include "ui/SkinCatalog.h"
#include "ui/WindowDpi.h"
#include "WinTestSupport.h"

using namespace wintest;

namespace {
using Instance = LauncherInstance;

}  // namespace

namespace {
// A game frame lies on its main window's page area at scale `s`.
void ExpectOnPageArea(HWND frame, HWND main, const DpiScale& s) {
    RECT fr{}, wr{};
    ::GetWindowRect(frame, &fr);
    ::GetWindowRect(main, &wr);
    EXPECT_EQ(fr.left, wr.left + s.Length(4));
    EXPECT_EQ(fr.top, wr.top + s.Length(30));
    EXPECT_EQ(fr.right, wr.right - s.Length(4));
    EXPECT_EQ(fr.bottom, wr.bottom - s.Length(4));
}

// The tooltip's text once the mouse rests on tab `tab` (a shown tooltip
// answers WM_GETTEXT with its text).
std::wstring ShownTabTip(HWND main, int tab) {
    const POINT at = TabPoint(main, tab);
    ::SetCursorPos(at.x + 1, at.y), ::SetCursorPos(at.x, at.y);  // a move, wherever it was
    wchar_t text[128] = {};
    auto read = [&] {
        for (HWND tip : FindWindows(ProcessOfWindow(main), TOOLTIPS_CLASSW, L""))
            if (::IsWindowVisible(tip)) ::SendMessageW(tip, WM_GETTEXT, 128, reinterpret_cast<LPARAM>(text));
        return text[0] != L'\0';
    };
    WaitUntil([&] { return PumpFor(50), read(); }, 3000);
    return text;
}

// The game page in `frame` has the keyboard without a click: Shift+Tab
// takes its focus to the chat field, the last one, and `keys` type `text`.
void ExpectTypedIntoChat(HWND frame, std::initializer_list<WORD> keys, const std::wstring& text) {
    const HWND page = FindPageEngineWindow(frame);
    EXPECT_TRUE(WaitForPageKeyboard(frame)) << "the page takes the focus as it shows";
    PressKeys({VK_SHIFT, VK_TAB});
    for (WORD key : keys) PressKeys({key});
    EXPECT_TRUE(WaitUntil([&] { return SendEngineCommand(page, L"field say " + text); }, 3000))
        << "typed into the chat without a click";
}

// The scripted page draws a status line 20 CSS pixels high along its bottom:
// at `dpi` it covers 20 * dpi / 96 rows, give or take the rounding of a row.
// Checked as soon as it holds, within `ms`: a zoom takes a page a few
// hundred milliseconds under Wine.
void ExpectPageZoomedTo(HWND frame, int dpi, DWORD ms = 3000) {
    HWND engine = FindPageEngineWindow(frame);
    ASSERT_NE(engine, nullptr);
    const COLORREF statusFill = RGB(0x26, 0x32, 0x38);
    COLORREF inside = CLR_INVALID, above = CLR_INVALID;
    WaitUntil(
        [&] {
            PumpFor(50);
            RECT client{};
            ::GetClientRect(engine, &client);
            const int top = client.bottom - (20 * dpi + 48) / 96;
            inside = PagePicturePixel(engine, 300, top + 2);
            above = PagePicturePixel(engine, 300, top - 3);
            return inside == statusFill && above != statusFill;
        },
        ms);
    EXPECT_EQ(inside, statusFill) << "inside the status line at " << dpi;
    EXPECT_NE(above, statusFill) << "above it at " << dpi;
}
}  // namespace

TEST(LoginRoad, FirstLoginAttachesAGameTab) {
    PortalSession portal;
    // The launcher runs from this build folder: its Statistic.ini is ours.
    FileBackup ini(StatisticIniPath(IniLocation::ExeFolder));
    Instance app;
    ASSERT_NE(app.main, nullptr);
    HWND login = app.NextLogin();
    ASSERT_NE(login, nullptr) << "the child shows its login page";
    ::Sleep(1500);  // painted
    CaptureWindowPng(::GetDesktopWindow(), L"road-login.png");
    EXPECT_FALSE(TrayIconExists(app.main)) << "no tray icon before the first page";

    // Keys end no login: Enter typed into the page, Escape there, and Enter
    // on the picture beneath (where Escape would abandon the login).
    HWND picture = LoginPicture(app.children.back());
    ASSERT_NE(picture, nullptr);
    ASSERT_TRUE(FocusWindow(login));
    PressKeys({VK_RETURN});
    ::PostMessageW(login, WM_KEYDOWN, VK_ESCAPE, 1);
    ::PostMessageW(picture, WM_KEYDOWN, VK_RETURN, 1);
    PumpFor(1000);
    EXPECT_TRUE(::IsWindowVisible(login)) << "the login page stays";
    EXPECT_TRUE(::IsWindowVisible(picture));
    EXPECT_TRUE(app.ChildRunning(app.children.size() - 1));

    // A press in the account field gives the page the keyboard. Escape and
    // F5 are still the login page's own (swallowed: the page stays and is not
    // reloaded); Ctrl+V pastes the clipboard there, Tab moves the focus on to
    // the first account row and Shift+Tab back.
    const int loginLoads = PortalCount(L"/yxzuva/");
    ASSERT_TRUE(PutOnClipboard(L"lucky 青龙"));
    ASSERT_TRUE(ClickPage(login, 590, 247));
    EXPECT_TRUE(SendPageCommand(login, L"focused user"));
    PressKeys({VK_F5});
    PressKeys({VK_ESCAPE});
    PressKeys({VK_CONTROL, 'V'});
    EXPECT_TRUE(WaitUntil([&] { return SendPageCommand(login, L"field user lucky 青龙"); }, 3000));
    PressKeys({VK_TAB});
    EXPECT_TRUE(WaitUntil([&] { return SendPageCommand(login, L"focused lucky12"); }, 3000));
    PressKeys({VK_SHIFT, VK_TAB});
    EXPECT_TRUE(WaitUntil([&] { return SendPageCommand(login, L"focused user"); }, 3000));
    PumpFor(500);
    EXPECT_EQ(PortalCount(L"/yxzuva/"), loginLoads) << "F5 never reached the page";
    EXPECT_TRUE(::IsWindowVisible(login));

    // The picture is drawn for its display's scale, and for another when the
    // login moves to a display of another DPI (told as in the main window's
    // test); the page keeps covering it exactly.
    auto expectPictureAt = [&](const DpiScale& s) {
        RECT pr{}, lr{};
        ::GetWindowRect(picture, &pr);
        ::GetWindowRect(login, &lr);
        const Size drawn = SkinImageSize(IDB_LOGIN_BACKGROUND, s.dpi());
        EXPECT_EQ(pr.right - pr.left, drawn.cx) << s.dpi();
        EXPECT_EQ(pr.bottom - pr.top, drawn.cy) << s.dpi();
        EXPECT_TRUE(::EqualRect(&pr, &lr)) << "the page covers the picture at " << s.dpi() << ": page "
                                           << lr.left << "," << lr.top << " - " << lr.right << "," << lr.bottom;
    };
    const DpiScale loginScale = ScaleOfWindow(picture);
    expectPictureAt(loginScale);
    for (const DpiScale& s : {DpiScale(loginScale.IsBase() ? 144 : 96), loginScale}) {
        ::SendMessageW(picture, WM_DPICHANGED, MAKEWPARAM(s.dpi(), s.dpi()), 0);
        PumpFor(300);
        expectPictureAt(s);
    }

    ASSERT_TRUE(SendPageCommand(login, L"click lucky12"));
    const bool attached = app.WaitForPages(1);
    if (!attached) CaptureWindowPng(::GetDesktopWindow(), L"road-failed.png");
    ASSERT_TRUE(attached) << "the game frame attaches";
    HWND frame = PageFrames(app.main)[0];

    // The main window fills the work area; the frame sits on its page area.
    RECT work{}, wr{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    ::GetWindowRect(app.main, &wr);
    EXPECT_TRUE(::EqualRect(&work, &wr));
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(frame) != FALSE; }, 15000)) << "shown once loaded";
    ExpectTypedIntoChat(frame, {'H', 'I'}, L"hi");
    // At the main window's scale: the frame on its page area, and the page
    // zoomed, as its status line's height shows in its own picture.
    const DpiScale scale = ScaleOfWindow(app.main);
    ExpectOnPageArea(frame, app.main, scale);
    ExpectPageZoomedTo(frame, scale.dpi());

    // Moved to a display of another DPI (told without a rectangle, as Wine
    // has one display): the page follows its main window.
    const DpiScale other(scale.IsBase() ? 144 : 96);
    ::SendMessageW(app.main, WM_DPICHANGED, MAKEWPARAM(other.dpi(), other.dpi()), 0);
    ExpectPageZoomedTo(frame, other.dpi());
    ExpectOnPageArea(frame, app.main, other);
    // And so does its next document, which the browser starts at its own
    // default zoom (a refresh, as F5 in the page asks).
    ::PostMessageW(FindPageEngineWindow(frame), WM_KEYDOWN, VK_F5, 1);
    PumpFor(1500);
    ExpectPageZoomedTo(frame, other.dpi());
    ::SendMessageW(app.main, WM_DPICHANGED, MAKEWPARAM(scale.dpi(), scale.dpi()), 0);
    PumpFor(1000);
    ExpectOnPageArea(frame, app.main, scale);

    EXPECT_FALSE(RegisterCaption(app.main, L"12服-青龙-lucky")) << "the caption is held";
    EXPECT_TRUE(TrayIconExists(app.main));
    // The desktop's shell restarts with an empty tray and says so to every
    // window: the icon comes back.
    NOTIFYICONDATAW lost{};
    lost.cbSize = sizeof(lost);
    lost.hWnd = app.main;
    lost.uID = 1;
    ASSERT_TRUE(::Shell_NotifyIconW(NIM_DELETE, &lost));
    ::PostMessageW(HWND_BROADCAST, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return TrayIconExists(app.main); }, 5000)) << "the icon is back";
    ::Sleep(2500);
    EXPECT_TRUE(CaptureMainWindowPng(app.main, L"road-one-tab.png")) << "with the page's own picture";

    // The account's own zoom multiplies the display's. Ctrl + wheel in the
    // page (the wheel message carries the keys held) asks the main window,
    // a step a notch, and so does the tab's menu; the page keeps its zoom
    // across a display change and a new document, and the account keeps it.
    const std::wstring lucky = L"12服-青龙-lucky";
    auto zoomed = [](const DpiScale& s, int percent) { return (s.dpi() * percent + 50) / 100; };
    auto wheel = [&](int notches) {
        ::PostMessageW(FindPageEngineWindow(frame), WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, notches * WHEEL_DELTA), 0);
    };
    wheel(-2);
    ExpectPageZoomedTo(frame, zoomed(scale, 80));
    EXPECT_EQ(RememberedAccountZoom(lucky), 80);
    EXPECT_EQ(ShownTabTip(app.main, 0), lucky + L" (80%)");
    ASSERT_TRUE(ChooseTabMenuItem(app, 0, 4, L"tab-menu-zoom.png"));  // 实际大小
    ExpectPageZoomedTo(frame, scale.dpi());
    const std::wstring iniPath = StatisticIniPath(IniLocation::ExeFolder);
    wchar_t zoomSection[8] = {};
    EXPECT_EQ(::GetPrivateProfileSectionW(L"ZuvaZoom", zoomSection, 8, iniPath.c_str()), 0u) << "100 % is forgotten";
    wheel(1);
    ExpectPageZoomedTo(frame, zoomed(scale, 110));
    wheel(1);
    ExpectPageZoomedTo(frame, zoomed(scale, 125));
    ASSERT_TRUE(ChooseTabMenuItem(app, 0, 2));  // 放大: 100, 110, 125, 150
    ExpectPageZoomedTo(frame, zoomed(scale, 150));
    ::SendMessageW(app.main, WM_DPICHANGED, MAKEWPARAM(other.dpi(), other.dpi()), 0);
    ExpectPageZoomedTo(frame, zoomed(other, 150));
    ::PostMessageW(FindPageEngineWindow(frame), WM_KEYDOWN, VK_F5, 1);
    PumpFor(1500);
    ExpectPageZoomedTo(frame, zoomed(other, 150));
    ::SendMessageW(app.main, WM_DPICHANGED, MAKEWPARAM(scale.dpi(), scale.dpi()), 0);
    PumpFor(1500);
    EXPECT_TRUE(CaptureMainWindowPng(app.main, L"road-zoomed.png"));

    // The account's next page opens at its zoom, whichever process it is.
    fw::KernelHandle page(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, ProcessOfWindow(frame)));
    ::TerminateProcess(page.get(), 1);
    ASSERT_TRUE(WaitUntil([&] { return RegisterCaption(app.main, lucky); }, 5000)) << "its tab is gone";
    PageSpy next;
    next.AttachTo(app.main);
    ASSERT_TRUE(WaitUntil([&] { PumpFor(20); return !next.zoomPercents.empty(); }, 5000));
    EXPECT_EQ(next.zoomPercents.front(), 150);
}

namespace {
bool ChooseNewTab(Instance& app) { return AnswerAddAccount(app, true); }

// Two accounts of server 12 logged in as two tabs: lucky, then fox.
bool LogInLuckyAndFox(Instance& app) {
    return LogIn(app, L"lucky12") && app.WaitForPages(1) && ChooseNewTab(app) && LogIn(app, L"fox12") &&
           app.WaitForPages(2);
}

// A skinned box of a process, with its first button pressed.
bool AnswerBox(DWORD pid, HWND except = nullptr) {
    HWND box = nullptr;
    WaitUntil(
        [&] {
            for (HWND w : FindWindows(pid, kDialogClass, kMainTitle))
                if (w != except && ::IsWindowVisible(w) && ::GetDlgItem(w, 5000)) box = w;
            return box != nullptr;
        },
        10000);
    if (!box) return false;
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(5000, BN_CLICKED), 0);
    return true;
}
}  // namespace

TEST(LoginRoad, MoreAccountsAsTabsOneLoginPerServerAtMostThree) {
    PortalSession portal;
    Instance app;
    ASSERT_NE(app.main, nullptr);
    ASSERT_TRUE(LogInLuckyAndFox(app)) << "a second account, a second tab";

    // The same account on the same server again: refused in the child.
    ASSERT_TRUE(ChooseNewTab(app));
    HWND login = app.NextLogin();
    ASSERT_NE(login, nullptr);
    const size_t refusedChild = app.children.size() - 1;
    // The click runs into the refusal box, which holds it until answered.
    std::thread click([login] { SendPageCommand(login, L"click lucky12"); });
    const bool answered = AnswerBox(app.children[refusedChild]);
    click.join();
    ASSERT_TRUE(answered) << "the child shows the refusal";
    EXPECT_TRUE(WaitUntil([&] { return !app.ChildRunning(refusedChild); }, 10000)) << "and abandons its login";
    ::Sleep(500);
    EXPECT_TRUE(app.process.IsRunning()) << "the main window is unaffected";
    EXPECT_EQ(app.Pages(), 2u);

    ASSERT_TRUE(ChooseNewTab(app));
    ASSERT_TRUE(LogIn(app, L"wolf12"));
    ASSERT_TRUE(app.WaitForPages(3));
    ::Sleep(1500);
    CaptureMainWindowPng(app.main, L"road-three-tabs.png");

    // A fourth tab is refused by the main window itself.
    const size_t childrenBefore = ChildProcesses(app.process.pid()).size();
    ::PostMessageW(app.main, WM_ADD_ACCOUNT_CHOICE, 1, 0);
    ASSERT_TRUE(AnswerBox(app.process.pid(), app.main)) << "当前窗体只支持3个游戏页";
    ::Sleep(500);
    EXPECT_EQ(ChildProcesses(app.process.pid()).size(), childrenBefore) << "no fourth child";
}

TEST(LoginRoad, PagesEndWithTheirMainWindowAndADeadPageLeavesNoTab) {
    PortalSession portal;
    Instance app;
    ASSERT_NE(app.main, nullptr);
    ASSERT_TRUE(LogInLuckyAndFox(app));

    // Kill the first page's process: its tab and caption go within a tick.
    const DWORD firstPid = ProcessOfWindow(PageFrames(app.main)[0]);
    fw::KernelHandle first(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, firstPid));
    ASSERT_TRUE(first);
    ::TerminateProcess(first.get(), 1);
    ::WaitForSingleObject(first.get(), 5000);
    const DWORD killedAt = ::GetTickCount();
    // Registering the dead page's caption succeeds once its tab is gone.
    std::wstring freedCaption;
    ASSERT_TRUE(WaitUntil(
        [&] {
            for (const wchar_t* c : {L"12服-青龙-lucky", L"12服-青龙-fox"}) {
                if (RegisterCaption(app.main, c)) {
                    freedCaption = c;
                    return true;
                }
            }
            return false;
        },
        5000));
    const DWORD tabGoneMs = ::GetTickCount() - killedAt;
    std::printf("dead page's tab removed after %lu ms\n", tabGoneMs);
    EXPECT_LT(tabGoneMs, 1500u);
    EXPECT_EQ(app.Pages(), 1u) << "the other page keeps running";

    // Kill the main window's process: the remaining page ends by itself.
    HWND secondFrame = PageFrames(app.main)[0];
    const DWORD secondPid = ProcessOfWindow(secondFrame);
    fw::KernelHandle second(::OpenProcess(SYNCHRONIZE, FALSE, secondPid));
    ::TerminateProcess(fw::KernelHandle(::OpenProcess(PROCESS_TERMINATE, FALSE, app.process.pid())).get(), 1);
    const DWORD mainKilledAt = ::GetTickCount();
    const DWORD waited = ::WaitForSingleObject(second.get(), 10000);
    std::printf("frame %d, process running %d\n", ::IsWindow(secondFrame), ::WaitForSingleObject(second.get(), 0) == WAIT_TIMEOUT);
    ASSERT_EQ(waited, WAIT_OBJECT_0);
    const DWORD pageEndMs = ::GetTickCount() - mainKilledAt;
    std::printf("page process ended %lu ms after its main window\n", pageEndMs);
    EXPECT_LT(pageEndMs, 3000u);
}

TEST(LoginRoad, AfterEveryPageDiedTheNextLoginsAreLaterOnes) {
    PortalSession portal;
    Instance app;
    ASSERT_NE(app.main, nullptr);
    ASSERT_TRUE(LogIn(app, L"lucky12") && app.WaitForPages(1));
    // The 1 x 1 window fills the work area just after the page attaches.
    RECT maximised{};
    ASSERT_TRUE(WaitUntil([&] { return ::GetWindowRect(app.main, &maximised) && maximised.right - maximised.left > 1; },
                          5000));
    fw::KernelHandle page(
        ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, ProcessOfWindow(PageFrames(app.main)[0])));
    ::TerminateProcess(page.get(), 1);
    // The dead page's tab is gone once its caption can be taken again.
    ASSERT_TRUE(WaitUntil([&] { return RegisterCaption(app.main, L"12服-青龙-lucky"); }, 5000));

    // Abandoning a later login leaves the instance as it is.
    ASSERT_TRUE(ChooseNewTab(app));
    HWND login = app.NextLogin();
    ASSERT_NE(login, nullptr);
    ASSERT_TRUE(SendPageCommand(login, L"click quit"));  // "app://exitgame"
    EXPECT_TRUE(WaitUntil([&] { return !app.ChildRunning(app.children.size() - 1); }, 10000));
    EXPECT_FALSE(app.process.WaitForExit(1500)) << "the instance stays";

    // The next page finds the window as it was: no second maximise toggle.
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(app.main) != FALSE; }, 5000));
    ASSERT_TRUE(ChooseNewTab(app) && LogIn(app, L"fox12") && app.WaitForPages(1));
    ::Sleep(300);
    RECT after{};
    ::GetWindowRect(app.main, &after);
    EXPECT_TRUE(::EqualRect(&after, &maximised)) << after.left << "," << after.top << " " << after.right << ","
                                                  << after.bottom;
}

TEST(LoginRoad, AbandoningTheFirstLoginEndsTheInstance) {
    PortalSession portal;
    {
        Instance app;
        ASSERT_NE(app.main, nullptr);
        HWND login = app.NextLogin();
        ASSERT_NE(login, nullptr);
        ASSERT_TRUE(SendPageCommand(login, L"click quit"));  // "app://exitgame"
        ASSERT_TRUE(app.process.WaitForExit(10000)) << "no page yet: the instance ends";
        EXPECT_EQ(app.process.ExitCode(), 0u);
    }
    {
        Instance app;
        ASSERT_NE(app.main, nullptr);
        ASSERT_NE(app.NextLogin(), nullptr);
        // Escape on the picture (not on the page, which swallows it).
        HWND picture = LoginPicture(app.children.back());
        ASSERT_NE(picture, nullptr);
        ::PostMessageW(picture, WM_KEYDOWN, VK_ESCAPE, 1);
        ASSERT_TRUE(app.process.WaitForExit(10000));
        EXPECT_EQ(app.process.ExitCode(), 0u);
    }
    {
        // Closing the page closes the login as closing the picture does.
        Instance app;
        ASSERT_NE(app.main, nullptr);
        HWND login = app.NextLogin();
        ASSERT_NE(login, nullptr);
        ASSERT_TRUE(FocusWindow(login));
        PressKeys({VK_MENU, VK_F4});
        ASSERT_TRUE(app.process.WaitForExit(10000));
        EXPECT_EQ(app.process.ExitCode(), 0u);
    }
}

TEST(LoginRoad, MinimizeInAFirstLoginAndALaterOne) {
    PortalSession portal;
    Instance app;
    ASSERT_NE(app.main, nullptr);
    HWND login = app.NextLogin();
    ASSERT_NE(login, nullptr);
    ASSERT_TRUE(SendPageCommand(login, L"click mini"));  // "app://minimize"
    // Without user account control the main window goes down, the login stays.
    EXPECT_TRUE(WaitUntil([&] { return ::IsIconic(app.main) != FALSE; }, 5000));
    EXPECT_TRUE(app.ChildRunning(app.children.size() - 1));
    ::ShowWindow(app.main, SW_RESTORE);
    ASSERT_TRUE(SendPageCommand(login, L"click lucky12"));
    ASSERT_TRUE(app.WaitForPages(1));

    // In a later login of the instance "minimize" abandons that login.
    ASSERT_TRUE(ChooseNewTab(app));
    HWND later = app.NextLogin();
    ASSERT_NE(later, nullptr);
    const size_t laterChild = app.children.size() - 1;
    ASSERT_TRUE(SendPageCommand(later, L"click mini"));
    EXPECT_TRUE(WaitUntil([&] { return !app.ChildRunning(laterChild); }, 10000));
    ::Sleep(500);
    EXPECT_TRUE(app.process.IsRunning());
    EXPECT_EQ(app.Pages(), 1u);
}

namespace {
void MiddleClickAt(POINT screen) { ClickWith(screen, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP); }

// Every thread of a process suspended, as the system's error reporting holds
// a crashed one, until this goes.
class HeldProcess {
public:
    explicit HeldProcess(DWORD pid) {
        const fw::KernelHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
        THREADENTRY32 entry{};
        entry.dwSize = sizeof(entry);
        for (BOOL more = ::Thread32First(snapshot.get(), &entry); more; more = ::Thread32Next(snapshot.get(), &entry)) {
            fw::KernelHandle thread(::OpenThread(THREAD_SUSPEND_RESUME, FALSE, entry.th32ThreadID));
            if (entry.th32OwnerProcessID == pid && thread && ::SuspendThread(thread.get()) != DWORD(-1))
                m_threads.push_back(std::move(thread));
        }
    }
    ~HeldProcess() {
        for (const fw::KernelHandle& thread : m_threads) ::ResumeThread(thread.get());
    }
    size_t threads() const { return m_threads.size(); }

private:
    std::vector<fw::KernelHandle> m_threads;
};
}  // namespace

TEST(LoginRoad, TabsSwitchPagesAndAMiddleClickClosesOne) {
    PortalSession portal;
    Instance app;
    ASSERT_NE(app.main, nullptr);
    ASSERT_TRUE(LogInLuckyAndFox(app));
    HWND lucky = FrameOf(app.main, app.children[0]);
    HWND fox = FrameOf(app.main, app.children[1]);
    ASSERT_TRUE(lucky && fox);
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(fox) && !::IsWindowVisible(lucky); }, 15000))
        << "the newest page is current";

    ClickAt(TabPoint(app.main, 0));
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(lucky) && !::IsWindowVisible(fox); }, 5000));
    ExpectTypedIntoChat(lucky, {'O', 'K'}, L"ok");

    // A page held as a crashed one is (by the system's error reporting) holds
    // nothing up: the main window answers, and shows the other tab at once,
    // before and after it tried to show the held one.
    ClickAt(TabPoint(app.main, 1));
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(fox) && !::IsWindowVisible(lucky); }, 5000));
    {
        HeldProcess held(app.children[0]);
        ASSERT_GT(held.threads(), 0u);
        ClickAt(TabPoint(app.main, 0));
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(fox); }, 5000)) << "the held page's tab was chosen";
        ClickAt(TabPoint(app.main, 1));
        EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(fox) != FALSE; }, 5000)) << "and the other's again";
    }

    MiddleClickAt(TabPoint(app.main, 1));
    ASSERT_TRUE(AnswerBox(app.process.pid(), app.main)) << "确定要退出账号：12服-青龙-fox ?";
    EXPECT_TRUE(WaitUntil([&] { return !app.ChildRunning(1); }, 10000)) << "Yes ends that page";
    EXPECT_TRUE(app.ChildRunning(0));
    EXPECT_TRUE(RegisterCaption(app.main, L"12服-青龙-fox")) << "its caption is free again";
}

TEST(LoginRoad, ANewWindowIsAnotherInstanceWithItsOwnLogins) {
    PortalSession portal;
    // Installed, so that the instance "否" starts (no arguments) opens a
    // main window instead of installing.
    PlacedCopy copy(ScriptedExe(), GetDataFolder(), L"ZuvaRoad.exe");
    ASSERT_TRUE(copy.ok());
    Instance first(copy.path());
    ASSERT_NE(first.main, nullptr);
    ASSERT_TRUE(LogIn(first, L"lucky12") && first.WaitForPages(1));

    const std::vector<DWORD> before = ChildProcesses(first.process.pid());
    ASSERT_TRUE(AnswerAddAccount(first, false));
    DWORD secondPid = 0;
    ASSERT_TRUE(WaitUntil(
        [&] {
            for (DWORD pid : ChildProcesses(first.process.pid()))
                if (std::find(before.begin(), before.end(), pid) == before.end()) secondPid = pid;
            return secondPid != 0;
        },
        10000))
        << "a new instance starts";
    Instance second(secondPid);
    ASSERT_NE(second.main, nullptr) << "with its own main window";
    EXPECT_NE(second.main, first.main);

    // The caption the first instance holds is free in the second.
    ASSERT_TRUE(LogIn(second, L"lucky12"));
    EXPECT_TRUE(second.WaitForPages(1));
    EXPECT_EQ(first.Pages(), 1u);
}

TEST(LoginRoad, ClosingTheOnlyPageAsksTheExitQuestion) {
    PortalSession portal;
    Instance app;
    ASSERT_NE(app.main, nullptr);
    ASSERT_TRUE(LogIn(app, L"lucky12") && app.WaitForPages(1));
    RECT wr{};
    ::GetWindowRect(app.main, &wr);
    const POINT tab{wr.left + 170, wr.top + 14};

    MiddleClickAt(tab);
    ASSERT_TRUE(AnswerQuestion(app.process.pid(), app.main, false));
    ::Sleep(500);
    EXPECT_TRUE(app.process.IsRunning()) << "No leaves everything as it was";
    EXPECT_EQ(app.Pages(), 1u);

    MiddleClickAt(tab);
    ASSERT_TRUE(AnswerQuestion(app.process.pid(), app.main, true));
    EXPECT_TRUE(app.process.WaitForExit(10000)) << "Yes to the exit question ends the instance";
    EXPECT_TRUE(app.ChildrenEnd(5000));
}

TEST(LoginRoad, ExitEndsEveryPageAndThePendingLogin) {
    PortalSession portal;
    Instance app;
    ASSERT_NE(app.main, nullptr);
    ASSERT_TRUE(LogInLuckyAndFox(app));
    ASSERT_TRUE(ChooseNewTab(app));
    ASSERT_NE(app.NextLogin(), nullptr) << "a third login is pending";
    ASSERT_EQ(app.children.size(), 3u);

    // A pending login holds the main window disabled, as any modal window
    // does its owner, so the exit comes as the window's cancel command (the
    // tray menu's way in).
    EXPECT_FALSE(::IsWindowEnabled(app.main));
    ::PostMessageW(app.main, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    ASSERT_TRUE(AnswerQuestion(app.process.pid(), app.main, true)) << "窗口即将关闭，确定要退出游戏？";
    const DWORD answeredAt = ::GetTickCount();
    ASSERT_TRUE(app.process.WaitForExit(10000));
    EXPECT_EQ(app.process.ExitCode(), 0u);
    EXPECT_TRUE(app.ChildrenEnd(5000)) << "both pages and the pending login end";
    std::printf("instance and its %zu children ended %lu ms after the answer\n", app.children.size(),
                ::GetTickCount() - answeredAt);
}

TEST(LoginRoad, TheHallShowsInThePageAreaUntilAPageComes) {
    PortalSession portal;
    Instance app;
    ASSERT_NE(app.main, nullptr);
    wchar_t owner[32];
    swprintf(owner, 32, L"/gmhall /%ld", static_cast<long>(reinterpret_cast<LONG_PTR>(app.main)));
    LauncherProcess hallProcess(ScriptedExe(), owner);
    ASSERT_TRUE(hallProcess.started());
    ASSERT_TRUE(app.WaitForPages(1)) << "the hall attaches";
    HWND hall = PageFrames(app.main)[0];
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(hall) != FALSE; }, 15000)) << "shown once loaded";

    RECT work{}, wr{}, hr{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    ::GetWindowRect(app.main, &wr);
    EXPECT_TRUE(::EqualRect(&work, &wr)) << "the first attach maximises, hall or page";
    ::GetWindowRect(hall, &hr);
    EXPECT_EQ(hr.left, wr.left + 4);
    EXPECT_EQ(hr.top, wr.top + 30);
    EXPECT_EQ(hr.right, wr.right - 4);
    EXPECT_EQ(hr.bottom, wr.bottom - 4);

    // A page that comes hides the hall; the hall is no tab.
    ASSERT_TRUE(LogIn(app, L"lucky12"));
    ASSERT_TRUE(app.WaitForPages(2));
    HWND page = FrameOf(app.main, app.children[0]);
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(page) && !::IsWindowVisible(hall); }, 15000));
    EXPECT_FALSE(RegisterCaption(app.main, L"12服-青龙-lucky"));
    ::GetWindowRect(app.main, &wr);
    EXPECT_TRUE(::EqualRect(&work, &wr)) << "the first page after the hall finds the window as the hall left it";

    // The hall ends with its main window.
    ::TerminateProcess(fw::KernelHandle(::OpenProcess(PROCESS_TERMINATE, FALSE, app.process.pid())).get(), 1);
    EXPECT_TRUE(hallProcess.WaitForExit(5000));
}

TEST(LoginRoad, ALoginProcessThatDiesGivesTheMainWindowBack) {
    PortalSession portal;
    {
        Instance app;
        ASSERT_NE(app.main, nullptr);
        ASSERT_TRUE(LogIn(app, L"lucky12") && app.WaitForPages(1));
        ASSERT_TRUE(ChooseNewTab(app));
        ASSERT_NE(app.NextLogin(), nullptr);
        ASSERT_TRUE(WaitUntil([&] { return !::IsWindowEnabled(app.main); }, 5000)) << "held by the login";
        ::TerminateProcess(app.Child(app.children.size() - 1), 1);
        EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(app.main) != FALSE; }, 3000))
            << "the player gets the window back";
        EXPECT_EQ(app.Pages(), 1u);
        EXPECT_TRUE(app.process.IsRunning());
    }
    {
        // The first login of an instance: nothing is left to show, the
        // instance ends instead of waiting invisibly for ever.
        Instance app;
        ASSERT_NE(app.main, nullptr);
        ASSERT_NE(app.NextLogin(), nullptr);
        ::TerminateProcess(app.Child(app.children.size() - 1), 1);
        EXPECT_TRUE(app.process.WaitForExit(3000));
    }
}

TEST(LoginRoad, EveryPageButNotTheHallHearsTheMuteStateEachTick) {
    PortalSession portal;
    Instance app;
    ASSERT_NE(app.main, nullptr);
    PageSpy hall, page;
    hall.AttachTo(app.main, true);
    page.AttachTo(app.main);
    PumpFor(2000);
    std::printf("%zu mute messages in 2000 ms\n", page.muteValues.size());
    EXPECT_GE(page.muteValues.size(), 3u);
    EXPECT_LE(page.muteValues.size(), 7u);
    EXPECT_TRUE(std::all_of(page.muteValues.begin(), page.muteValues.end(), [](WPARAM v) { return v == 0; }));
    EXPECT_TRUE(hall.muteValues.empty());

    // The sound button flips the state; the pages learn it at the next tick.
    ::PostMessageW(app.main, WM_COMMAND, MAKEWPARAM(1002, BN_CLICKED), 0);
    PumpFor(1000);
    ASSERT_FALSE(page.muteValues.empty());
    EXPECT_EQ(page.muteValues.back(), 1u);
    EXPECT_TRUE(hall.muteValues.empty());
    ::TerminateProcess(fw::KernelHandle(::OpenProcess(PROCESS_TERMINATE, FALSE, app.process.pid())).get(), 0);
}

namespace {
// What the spies heard over the next ticks. What the ticks before posted
// is still queued for them (nothing pumps while a menu or a box is
// answered): it is taken first, with a tick for the change to land.
void HearTicks(std::initializer_list<PageSpy*> spies) {
    PumpFor(500);
    for (PageSpy* spy : spies) spy->muteValues.clear();
    PumpFor(1000);
}

bool AllAre(const std::vector<WPARAM>& values, WPARAM v) {
    return !values.empty() && std::all_of(values.begin(), values.end(), [v](WPARAM x) { return x == v; });
}
}  // namespace

// Beside lucky's real page, two spies as the second and third tab: the
// third account is muted through its tab's menu.
TEST(LoginRoad, OneAccountMutedOnItsOwnStaysSoUntilUnmutedEvenAtItsNextLogin) {
    PortalSession portal;
    // The launcher runs from this build folder: its Statistic.ini is ours.
    FileBackup ini(StatisticIniPath(IniLocation::ExeFolder));
    const std::wstring quiet = L"13服-白虎-quietwithaverylongaccountname";
    Instance app;
    ASSERT_NE(app.main, nullptr);
    ASSERT_TRUE(LogIn(app, L"lucky12") && app.WaitForPages(1));
    PageSpy loud, muted;
    ASSERT_TRUE(RegisterCaption(app.main, L"12服-青龙-loud"));
    loud.AttachTo(app.main);
    ASSERT_TRUE(RegisterCaption(app.main, quiet));
    muted.AttachTo(app.main);
    ASSERT_TRUE(WaitUntil([&] { PumpFor(20); return !loud.muteValues.empty() && !muted.muteValues.empty(); }, 5000));

    ASSERT_TRUE(ChooseTabMenuItem(app, 2, 1, L"tab-menu.png"));  // 静音此账号
    HearTicks({&loud, &muted});
    EXPECT_TRUE(AllAre(loud.muteValues, 0)) << "the other account still plays";
    EXPECT_TRUE(AllAre(muted.muteValues, 1));
    EXPECT_TRUE(IsAccountRememberedMuted(quiet));
    EXPECT_TRUE(CaptureMainWindowPng(app.main, L"tab-muted.png")) << "the mark on the third tab";

    // The sound button mutes every page; unmuting the window leaves the
    // account muted.
    ::PostMessageW(app.main, WM_COMMAND, MAKEWPARAM(1002, BN_CLICKED), 0);
    HearTicks({&loud, &muted});
    EXPECT_EQ(loud.muteValues.back(), 1u);
    EXPECT_TRUE(AllAre(muted.muteValues, 1));
    ::PostMessageW(app.main, WM_COMMAND, MAKEWPARAM(1002, BN_CLICKED), 0);
    HearTicks({&loud, &muted});
    EXPECT_EQ(loud.muteValues.back(), 0u);
    EXPECT_TRUE(AllAre(muted.muteValues, 1));

    // "关闭此账号" asks the account question, as a middle click does.
    ASSERT_TRUE(ChooseTabMenuItem(app, 2, 6));
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = WaitForMessageBoxOfAnother(0, 100)) != nullptr; }, 10000));
    EXPECT_EQ(MessageBoxText(box), L"确定要退出账号：" + quiet + L" ?");
    ASSERT_TRUE(AnswerQuestion(app.process.pid(), app.main, true));
    EXPECT_TRUE(RegisterCaption(app.main, quiet)) << "its caption is free again";

    // The same account's next login starts muted, and unmuting forgets it.
    PageSpy again;
    again.AttachTo(app.main);
    ASSERT_TRUE(WaitUntil([&] { PumpFor(20); return again.muteValues.size() >= 2; }, 5000));
    EXPECT_TRUE(AllAre(again.muteValues, 1)) << "muted from its first tick";
    ASSERT_TRUE(ChooseTabMenuItem(app, 2, 1));
    HearTicks({&again});
    EXPECT_TRUE(AllAre(again.muteValues, 0));
    EXPECT_FALSE(IsAccountRememberedMuted(quiet));
}

// The login page hands over a game only from itself and only one of the
// portal's: a frame's "loadgame", and one to a file, are refused, the login
// stays, and the start-up trace says why; the page's own then logs in.
TEST(LoginRoad, AGameFromAFrameOrFromOutsideThePortalIsRefused) {
    PortalSession portal;
    const std::wstring load = L" href=\"app://loadgame?S12%E6%9C%8D-%E5%8F%8C%E7%BA%BF%E3%80%8B%E9%9D%92%E9%BE%99-lucky|";
    const std::wstring game = PortalUrl(L"/games/s12.page") + L"\"\n";
    PortalAnswer(L"/yxzuva/", L"body=" + QueryEncode(L"element fromframe td w=400 h=34 frame" + load + game +
                                                     L"element tofile td y=44 w=400 h=34" + load +
                                                     L"file:///C:/windows/win.ini\"\n" +
                                                     L"element fine td y=88 w=400 h=34" + load + game));
    const std::wstring trace = TempFolder() + L"zuva-loadgame-trace.tsv";
    ::DeleteFileW(trace.c_str());
    ::SetEnvironmentVariableW(L"ZUVA_STARTUP_TRACE", trace.c_str());
    Instance app;
    ::SetEnvironmentVariableW(L"ZUVA_STARTUP_TRACE", nullptr);
    ASSERT_NE(app.main, nullptr);
    HWND page = app.NextLogin();
    ASSERT_NE(page, nullptr);
    for (const wchar_t* element : {L"fromframe", L"tofile"}) {
        ASSERT_TRUE(SendPageCommand(page, std::wstring(L"click ") + element));
        PumpFor(500);  // nothing may come of it
        EXPECT_EQ(app.Pages(), 0u) << element;
        EXPECT_TRUE(::IsWindowVisible(page)) << element << ": the login stays";
    }
    const std::string marks = ReadFileBytes(trace);
    EXPECT_NE(marks.find("loadgame refused: asked by a frame"), std::string::npos) << marks;
    EXPECT_NE(marks.find("loadgame refused: not an address of the portal"), std::string::npos) << marks;
    ASSERT_TRUE(SendPageCommand(page, L"click fine"));
    EXPECT_TRUE(app.WaitForPages(1)) << "the page's own, a game of the portal";
    ::DeleteFileW(trace.c_str());
}

namespace {
// What Wine shows of the token a web page runs with: Administrators for deny
// only and no privilege but bypass-traverse-checking. (Wine keeps no
// integrity levels and changes no token's owner.)
void ExpectThePlayersToken(DWORD pid) {
    const fw::KernelHandle process(::OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid));
    HANDLE raw = nullptr;
    ASSERT_TRUE(process && ::OpenProcessToken(process.get(), TOKEN_QUERY, &raw));
    const fw::KernelHandle token(raw);
    alignas(8) BYTE groups[4096], privileges[1024], administrators[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof administrators, got = 0;
    LUID changeNotify{};
    ASSERT_TRUE(::GetTokenInformation(token.get(), TokenGroups, groups, sizeof groups, &got) &&
                ::GetTokenInformation(token.get(), TokenPrivileges, privileges, sizeof privileges, &got) &&
                ::CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, administrators, &size) &&
                ::LookupPrivilegeValueW(nullptr, SE_CHANGE_NOTIFY_NAME, &changeNotify));
    const auto& g = *reinterpret_cast<const TOKEN_GROUPS*>(groups);
    EXPECT_TRUE(std::any_of(g.Groups, g.Groups + g.GroupCount, [&](const SID_AND_ATTRIBUTES& group) {
        return ::EqualSid(group.Sid, administrators) && (group.Attributes & SE_GROUP_USE_FOR_DENY_ONLY);
    })) << "Administrators for deny only";
    const auto& p = *reinterpret_cast<const TOKEN_PRIVILEGES*>(privileges);
    ASSERT_EQ(p.PrivilegeCount, 1u);
    EXPECT_EQ(p.Privileges[0].Luid.LowPart, changeNotify.LowPart);
}
}  // namespace

// A window of a process that registered no login with the main window gets
// no page, nor does one that poses as the hall without running the
// launcher; a login's page still attaches, and runs with the player's token.
TEST(LoginRoad, OnlyALoginsOwnFrameOrTheLaunchersHallAttaches) {
    PortalSession portal;
    ::SetEnvironmentVariableW(L"ZUVA_TEST_STAND_IN_PAGES", L"0");  // no stand-ins for this instance
    Instance app;
    ASSERT_NE(app.main, nullptr);
    PageSpy page, hall;
    ::SetParent(page.wnd(), app.main);  // as a frame puts itself there
    page.AttachTo(app.main);
    hall.AttachTo(app.main, true);
    PumpFor(500);
    EXPECT_EQ(app.Pages(), 0u);
    EXPECT_NE(::GetAncestor(page.wnd(), GA_PARENT), app.main) << "put out of the page area";
    EXPECT_TRUE(page.muteValues.empty() && hall.muteValues.empty()) << "never treated as a page";
    ASSERT_TRUE(LogIn(app, L"lucky12"));
    EXPECT_TRUE(app.WaitForPages(1));
    ExpectThePlayersToken(app.children.back());
}
