// Closing a game page whose unload raises a web message box: the frame takes
// the box away shortly after the close request, so the page process ends
// instead of waiting for an answer nobody gives.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "GameLogin.h"
#include "LauncherDriver.h"
#include "PortalClient.h"
#include "WinTestSupport.h"
#include "gamewnd/WebBoxSweep.h"

using namespace wintest;

namespace {
struct CloseTimeline {
    bool ended = false;
    double boxSeenMs = -1;  // when the web message box was first seen
    double boxGoneMs = -1;  // when it was gone again
    double endedMs = -1;    // when the page process had ended
};

double MsSince(const LARGE_INTEGER& start) {
    LARGE_INTEGER now{}, freq{};
    ::QueryPerformanceCounter(&now);
    ::QueryPerformanceFrequency(&freq);
    return static_cast<double>(now.QuadPart - start.QuadPart) * 1000.0 / static_cast<double>(freq.QuadPart);
}

// Closes the page as the main window does (out of the window, then the close
// request) and watches the web message box and the process.
CloseTimeline ClosePage(HWND frame) {
    const DWORD pid = ProcessOfWindow(frame);
    fw::KernelHandle process(::OpenProcess(SYNCHRONIZE, FALSE, pid));
    CloseTimeline t;
    if (!process) return t;
    ::SetParent(frame, nullptr);
    ::ShowWindow(frame, SW_HIDE);
    LARGE_INTEGER start{};
    ::QueryPerformanceCounter(&start);
    ::PostMessageW(frame, WM_SYSCOMMAND, SC_CLOSE, 0);
    while (MsSince(start) < 5000) {
        const bool box = !FindWindows(pid, L"#32770", L"来自网页的消息").empty();
        if (box && t.boxSeenMs < 0) t.boxSeenMs = MsSince(start);
        if (!box && t.boxSeenMs >= 0 && t.boxGoneMs < 0) t.boxGoneMs = MsSince(start);
        if (::WaitForSingleObject(process.get(), 1) == WAIT_OBJECT_0) {
            t.ended = true;
            t.endedMs = MsSince(start);
            break;
        }
    }
    return t;
}
}  // namespace

TEST(WebBoxSweep, AnUnloadAlertIsTakenAwayAndThePageProcessEnds) {
    PortalSession portal;
    LauncherInstance app;
    ASSERT_NE(app.main, nullptr);
    ASSERT_TRUE(LogInToGame(app, L"/games/farewell.page"));
    const CloseTimeline t = ClosePage(PageFrames(app.main)[0]);
    std::printf("web message box seen at %.1f ms, gone at %.1f ms; page process ended %.1f ms after the close request\n",
                t.boxSeenMs, t.boxGoneMs, t.endedMs);
    ASSERT_GE(t.boxSeenMs, 0) << "the page raised its box while unloading";
    ASSERT_TRUE(t.ended) << "the box would hold the process for good";
    // The figures above are the measurement; these bounds only tell a swept
    // box from one that waited for somebody to answer it.
    EXPECT_LT(t.boxGoneMs, 1500.0);
    EXPECT_LT(t.endedMs, 1500.0);
}

TEST(WebBoxSweep, APageWithoutABoxClosesNormally) {
    PortalSession portal;
    LauncherInstance app;
    ASSERT_NE(app.main, nullptr);
    ASSERT_TRUE(LogInToGame(app, L"/games/s12.page"));
    const CloseTimeline t = ClosePage(PageFrames(app.main)[0]);
    std::printf("page process without a box ended %.1f ms after the close request\n", t.endedMs);
    EXPECT_LT(t.boxSeenMs, 0);
    ASSERT_TRUE(t.ended);
    EXPECT_LT(t.endedMs, 1500.0);
}

namespace {
bool g_swept = false;
void CALLBACK SweepNow(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    g_swept = SweepWebMessageBox();
}
void CALLBACK AnswerOtherBox(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    if (HWND box = ::FindWindowW(L"#32770", L"Message from webpage")) ::PostMessageW(box, WM_CLOSE, 0, 0);
}
}  // namespace

// The sweep itself, on a box of this thread as a page's box is on the frame's
// thread: each of the browser's captions is found, another one is not.
TEST(WebBoxSweep, TheSweepEndsABoxWithOneOfTheBrowsersCaptionsOnly) {
    for (const wchar_t* title : kWebBoxTitles) {
        g_swept = false;
        ::SetTimer(nullptr, 0, 130, &SweepNow);
        const int answer = ::MessageBoxW(nullptr, L"确定要离开此页吗？", title, MB_OK | MB_ICONWARNING);
        EXPECT_TRUE(g_swept) << testing::PrintToString(std::wstring(title));
        EXPECT_EQ(answer, 0) << "destroyed, not answered";
    }
    g_swept = true;
    ::SetTimer(nullptr, 0, 130, &SweepNow);
    ::SetTimer(nullptr, 0, 600, &AnswerOtherBox);
    const int answer = ::MessageBoxW(nullptr, L"Leave this page?", L"Message from webpage", MB_OK);
    EXPECT_FALSE(g_swept) << "a caption of another browser language is not the browser's box";
    EXPECT_NE(answer, 0) << "it stayed until answered";
}
