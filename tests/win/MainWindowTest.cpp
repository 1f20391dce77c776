// The main window as a player's machine runs it: ZuvaScripted.exe started as
// a real process, driven by the messages the system and other processes send.
#include <gtest/gtest.h>

#include "app/LaunchModeWin.h"
#include "LauncherDriver.h"
#include "PageSpy.h"
#include "resource.h"
#include "Screenshot.h"
#include "ui/WindowDpi.h"
#include "WinTestSupport.h"

using namespace wintest;

namespace {

// A launcher process with its main window found.
struct RunningLauncher {
    explicit RunningLauncher(const std::wstring& exe, const std::wstring& args = L"")
        : process(exe, args) {
        if (process.started()) window = WaitForWindow(process.pid(), kDialogClass, kMainTitle, 15000);
    }
    LauncherProcess process;
    HWND window = nullptr;
};

// Closes the instance the way the skin's close button does and expects a
// clean end.
void CloseAndExpectCleanExit(RunningLauncher& l, LPARAM lp = 0) {
    ::PostMessageW(l.window, WM_SYSCOMMAND, SC_CLOSE, lp);
    ASSERT_TRUE(l.process.WaitForExit(10000));
    EXPECT_EQ(l.process.ExitCode(), 0u);
}

// Where a child control lies in its parent's client coordinates.
RECT ChildRect(HWND parent, int id) {
    RECT rc{};
    HWND child = ::GetDlgItem(parent, id);
    ::GetWindowRect(child, &rc);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

void ExpectRect(const RECT& rc, int x, int y, int cx, int cy) {
    EXPECT_EQ(rc.left, x);
    EXPECT_EQ(rc.top, y);
    EXPECT_EQ(rc.right - rc.left, cx);
    EXPECT_EQ(rc.bottom - rc.top, cy);
}

// A title control whose 96-DPI edges lie `left` and `right` pixels left of
// x0, where the skin's caption buttons begin, from `top` to `bottom`; every
// edge placed at the window's scale.
void ExpectLeftOf(const RECT& rc, int x0, const DpiScale& s, int left, int top, int right, int bottom) {
    EXPECT_EQ(rc.left, x0 - s.Px(left));
    EXPECT_EQ(rc.right, x0 - s.Px(right));
    EXPECT_EQ(rc.top, s.Px(top));
    EXPECT_EQ(rc.bottom, s.Px(bottom));
}

// The title controls of a client area `cx` wide at scale `s`.
void ExpectTitleControls(HWND window, int cx, const DpiScale& s) {
    // The skin's minimise button begins the caption buttons: 87 pixels from
    // the right at 96 DPI, whole frames of the scaled art at another scale.
    const int x0 = ChildRect(window, 50001).left;
    if (s.IsBase()) {
        EXPECT_EQ(x0, cx - 87);
    }
    EXPECT_NEAR(x0, cx - s.Px(87), 2);
    ExpectLeftOf(ChildRect(window, IDC_BTN_HIDE), x0, s, 27, 0, 0, 27);
    ExpectLeftOf(ChildRect(window, IDC_BTN_SOUND), x0, s, 54, 0, 27, 27);
    ExpectLeftOf(ChildRect(window, IDC_BTN_MENU), x0, s, 98, 0, 54, 28);
    ExpectLeftOf(ChildRect(window, IDC_LNK_ADDACC), x0, s, 198, 7, 106, 23);
}

// Every "KorvelFerrowind" dialog of the process other than the main window:
// a question box the launcher put up.
std::vector<HWND> OtherBoxes(const RunningLauncher& l) {
    std::vector<HWND> boxes;
    for (HWND w : FindWindows(l.process.pid(), kDialogClass, kMainTitle))
        if (w != l.window) boxes.push_back(w);
    return boxes;
}

HWND WaitForQuestion(const RunningLauncher& l) {
    for (int i = 0; i < 200; ++i, ::Sleep(50)) {
        auto boxes = OtherBoxes(l);
        if (!boxes.empty() && ::IsWindowVisible(boxes.front())) return boxes.front();
    }
    return nullptr;
}

bool WaitUntilGone(HWND wnd) {
    for (int i = 0; i < 200 && ::IsWindow(wnd); ++i) ::Sleep(50);
    return !::IsWindow(wnd);
}
}  // namespace

TEST(MainWindowProcess, InstalledStartShowsAOnePixelWindowAndClosesWithoutQuestion) {
    PlacedCopy copy(ScriptedExe(), GetDataFolder(), L"ZuvaTest.exe");
    FileBackup counters(GetDataFolder() + L"\\Statistic.ini");  // the start counts a game
    ASSERT_TRUE(copy.ok());
    {
        RunningLauncher l(copy.path());
        ASSERT_NE(l.window, nullptr) << "mode 3 shows the main window";
        RECT rc{};
        ::GetWindowRect(l.window, &rc);
        ExpectRect(rc, 0, 0, 1, 1);
        EXPECT_TRUE(::IsWindowVisible(l.window));
        EXPECT_TRUE(::GetWindowLongW(l.window, GWL_EXSTYLE) & WS_EX_APPWINDOW);
        EXPECT_FALSE(::GetWindowLongW(l.window, GWL_STYLE) & WS_CAPTION);

        // With no page there is no question.
        CloseAndExpectCleanExit(l);
    }
}

TEST(MainWindowProcess, ShortcutSwitchInAnyCaseOpensTheMainWindow) {
    // Run from the build folder, a start without a switch would install and
    // end; the switch opens the main window instead.
    RunningLauncher l(ScriptedExe(), L"/ZUVAD");
    ASSERT_NE(l.window, nullptr);
    EXPECT_EQ(LaunchInfoOf(L"Zuva.exe /ZUVAD", ScriptedExe()).mode, LaunchMode::ShortcutStart);
    CloseAndExpectCleanExit(l);
}

TEST(MainWindowProcess, AbandonedFirstLoginEndsTheInstance) {
    RunningLauncher l(ScriptedExe(), L"/ZuvaD");
    ASSERT_NE(l.window, nullptr);
    // What a child posts when its first login was cancelled.
    CloseAndExpectCleanExit(l, 5813);
}

TEST(MainWindowProcess, EscSpaceAndEnterLeaveTheWindowOpen) {
    RunningLauncher l(ScriptedExe(), L"/ZuvaD");
    ASSERT_NE(l.window, nullptr);
    HWND menuButton = ::GetDlgItem(l.window, IDC_BTN_MENU);
    for (HWND target : {l.window, menuButton}) {
        for (WPARAM key : {VK_ESCAPE, VK_SPACE, VK_RETURN}) {
            UINT scan = ::MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
            ::PostMessageW(target, WM_KEYDOWN, key, 1 | (scan << 16));
            ::PostMessageW(target, WM_KEYUP, key, 1 | (scan << 16) | 0xC0000000u);
        }
    }
    ::Sleep(1500);
    EXPECT_TRUE(l.process.IsRunning());
    EXPECT_TRUE(::IsWindow(l.window));
    EXPECT_TRUE(OtherBoxes(l).empty()) << "no exit question for Esc, Space or Enter";
}

TEST(MainWindowProcess, CancelAsksTheExitQuestionAndOnlyYesEnds) {
    RunningLauncher l(ScriptedExe(), L"/ZuvaD");
    ASSERT_NE(l.window, nullptr);

    ::PostMessageW(l.window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    HWND box = WaitForQuestion(l);
    ASSERT_NE(box, nullptr) << "the exit question appears";
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(5001, BN_CLICKED), 0);  // "否"
    ASSERT_TRUE(WaitUntilGone(box));
    ::Sleep(300);
    EXPECT_TRUE(l.process.IsRunning()) << "No keeps the launcher";
    EXPECT_TRUE(OtherBoxes(l).empty());

    ::PostMessageW(l.window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    box = WaitForQuestion(l);
    ASSERT_NE(box, nullptr);
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(5000, BN_CLICKED), 0);  // "是"
    ASSERT_TRUE(l.process.WaitForExit(10000));
    EXPECT_EQ(l.process.ExitCode(), 0u);
}

TEST(MainWindowProcess, TitleControlsFollowTheRightEdge) {
    RunningLauncher l(ScriptedExe(), L"/ZuvaD");
    ASSERT_NE(l.window, nullptr);
    const DpiScale scale = ScaleOfWindow(l.window);
    for (SIZE size : {SIZE{1024, 640}, SIZE{800, 500}, SIZE{1280, 760}}) {
        ::SetWindowPos(l.window, nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
        RECT client{};
        ::GetClientRect(l.window, &client);
        const int cx = client.right;
        EXPECT_EQ(cx, size.cx) << "no system frame is left around the client area";
        ExpectTitleControls(l.window, cx, scale);
        EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(l.window, IDC_BTN_UNUSED)));
        ::RedrawWindow(l.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        ::Sleep(200);
        EXPECT_TRUE(CaptureWindowPng(l.window, L"main-" + std::to_wstring(size.cx) + L"x" +
                                                   std::to_wstring(size.cy) + L".png"));
    }
    // With no page there is no minimum size.
    ::SetWindowPos(l.window, nullptr, 0, 0, 120, 40, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT rc{};
    ::GetWindowRect(l.window, &rc);
    ExpectRect(rc, 0, 0, 120, 40);

    // Each page widens it by a tab; it is never lower than 260.
    PageSpy first, second;
    int pages = 0;
    for (PageSpy* page : {&first, &second}) {
        page->AttachTo(l.window);
        ++pages;
        // A page hears the mute state at each tick once it is taken.
        ASSERT_TRUE(WaitUntil([&] { PumpFor(20); return !page->muteValues.empty(); }, 5000));
        ::SetWindowPos(l.window, nullptr, 0, 0, 120, 40, SWP_NOZORDER | SWP_NOACTIVATE);
        ::GetWindowRect(l.window, &rc);
        ExpectRect(rc, 0, 0, scale.Length(pages * 189 + 483), scale.Length(260));
    }

    // Moved to a display of another DPI: Wine has one display, so the move is
    // told as the system tells it, without a rectangle (a pointer would mean
    // nothing across processes). The window lays itself out at the new scale.
    const DpiScale other(scale.IsBase() ? 144 : 96);
    ::SendMessageW(l.window, WM_DPICHANGED, MAKEWPARAM(other.dpi(), other.dpi()), 0);
    ::SetWindowPos(l.window, nullptr, 0, 0, 120, 40, SWP_NOZORDER | SWP_NOACTIVATE);
    ::GetWindowRect(l.window, &rc);
    ExpectRect(rc, 0, 0, other.Length(2 * 189 + 483), other.Length(260));
    ::GetClientRect(l.window, &rc);
    ::Sleep(800);  // painted, which may grow a label drawn at another scale
    ExpectTitleControls(l.window, rc.right, other);
    // Its pages hear the new DPI, to zoom their own content.
    ASSERT_TRUE(WaitUntil([&] { PumpFor(20); return !second.ownerDpis.empty(); }, 5000));
    EXPECT_EQ(first.ownerDpis, std::vector<int>{other.dpi()});
    EXPECT_EQ(second.ownerDpis, std::vector<int>{other.dpi()});
    ::SendMessageW(l.window, WM_DPICHANGED, MAKEWPARAM(scale.dpi(), scale.dpi()), 0);
    ::GetClientRect(l.window, &rc);
    ExpectTitleControls(l.window, rc.right, scale);
}

TEST(MainWindowProcess, BossButtonHidesAndRestores) {
    RunningLauncher l(ScriptedExe(), L"/ZuvaD");
    ASSERT_NE(l.window, nullptr);
    ::PostMessageW(l.window, WM_COMMAND, MAKEWPARAM(IDC_BTN_HIDE, BN_CLICKED), 0);
    for (int i = 0; i < 40 && ::IsWindowVisible(l.window); ++i) ::Sleep(50);
    EXPECT_FALSE(::IsWindowVisible(l.window));
    ::PostMessageW(l.window, WM_COMMAND, MAKEWPARAM(IDC_BTN_HIDE, BN_CLICKED), 0);
    for (int i = 0; i < 40 && !::IsWindowVisible(l.window); ++i) ::Sleep(50);
    EXPECT_TRUE(::IsWindowVisible(l.window));
}

// A page process without a main window to join ends by itself: at once for a
// login, within a tick of its owner watch for a hall window.
TEST(MainWindowProcess, PageSwitchesWithMissingOrOverlongArgumentsEndCleanly) {
    for (const wchar_t* args : {L"/newgm", L"/newgm /", L"/gmhall", L"/newgm /x /y",
                                L"/newgm /123456789012345678901234567890 /99999999999999",
                                L"/gmhall /-99999999999999999999"}) {
        LauncherProcess p(ScriptedExe(), args);
        ASSERT_TRUE(p.started());
        ASSERT_TRUE(p.WaitForExit(10000)) << args;
        EXPECT_EQ(p.ExitCode(), 0u) << args;
        EXPECT_TRUE(FindWindows(p.pid(), kDialogClass, kMainTitle).empty());
    }
}

TEST(LaunchModeWin, ModeComesFromTheCommandLineAndThePath) {
    const std::wstring inside = GetDataFolder() + L"\\Zuva.exe";
    std::wstring lowerInside = inside;
    for (wchar_t& c : lowerInside) c = static_cast<wchar_t>(towlower(c));
    EXPECT_EQ(LaunchInfoOf(L"Zuva.exe", inside).mode, LaunchMode::InstalledStart);
    EXPECT_EQ(LaunchInfoOf(L"\"C:\\x y\\Zuva.exe\"", lowerInside).mode, LaunchMode::InstalledStart);
    EXPECT_EQ(LaunchInfoOf(L"Zuva.exe", L"C:\\Temp\\Zuva.exe").mode, LaunchMode::Install);
    EXPECT_EQ(LaunchInfoOf(L"Zuva.exe x /uninst", L"C:\\Temp\\Zuva.exe").mode, LaunchMode::Install);
    EXPECT_EQ(LaunchInfoOf(L"\"C:\\x y\\Zuva.exe\" /uninst", inside).mode, LaunchMode::Uninstall);
    LaunchInfo info = LaunchInfoOf(L"Zuva.exe /newgm /123456 /2", inside);
    EXPECT_EQ(info.mode, LaunchMode::NewGameWindow);
    EXPECT_EQ(info.ownerWnd, 123456);
    EXPECT_EQ(info.ownerPages, 2);
    EXPECT_EQ(GetDataFolder(), L"C:\\ProgramData\\Korvel\\GameLogin");
}
