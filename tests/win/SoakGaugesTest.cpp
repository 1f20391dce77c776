// The soak's gauges must see growth, or its bounds would hold whatever the
// launcher leaks: this process takes known amounts of each resource, measured
// through the same outside routes the soak uses on the launcher, and gives
// them back.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

#include "framework/Handles.h"
#include "SoakGauges.h"
#include "WinTestSupport.h"

using namespace wintest;

namespace {
using WindowHandle = fw::UniqueHandle<fw::NullTraits<HWND, &::DestroyWindow>>;

WindowHandle MakeWindow(HWND parent) {
    return WindowHandle(::CreateWindowExW(0, L"STATIC", L"gauge", parent == HWND_MESSAGE ? 0 : WS_POPUP, 0, 0, 10, 10,
                                          parent, nullptr, nullptr, nullptr));
}

double ThreadCpuMs() {
    FILETIME created, ended, kernel, user;
    ::GetThreadTimes(::GetCurrentThread(), &created, &ended, &kernel, &user);
    const auto ticks = [](FILETIME t) { return (ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
}

double OwnProcessCpuMs() {
    FILETIME created, ended, kernel, user;
    ::GetProcessTimes(::GetCurrentProcess(), &created, &ended, &kernel, &user);
    const auto ticks = [](FILETIME t) { return (ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
}

// Keeps the calling thread busy until it has used `ms` of CPU (or 10 s passed).
void Spin(double ms) {
    const double start = ThreadCpuMs();
    const DWORD began = ::GetTickCount();
    volatile unsigned sink = 0;
    while (ThreadCpuMs() - start < ms && ::GetTickCount() - began < 10000)
        for (int i = 0; i < 100000; ++i) sink = sink + i;
}
}  // namespace

TEST(SoakGauges, SeeWhatAProcessTakesAndGivesBack) {
    const DWORD self = ::GetCurrentProcessId();
    // The thread's first windows and the first window walk set up what they
    // keep (a message queue, an input context window while any window lives,
    // device contexts); the soak measures after a warm-up for the same reason.
    const WindowHandle anchor = MakeWindow(nullptr);
    MakeWindow(HWND_MESSAGE);
    MakeWindow(anchor.get());
    MeasureProcess(self);
    const int probedBefore = GdiObjectCount();
    const ProcessFigures before = MeasureProcess(self);
    std::printf("before: %s\n", Describe(before).c_str());
    ASSERT_GE(before.handles, 0);
    ASSERT_GE(before.gdiObjects, 0);
    ASSERT_GE(before.windows, 0);
    ASSERT_GT(before.workingSetMb, 0);
    ASSERT_GT(before.privateMb, 0);

    ProcessFigures held;
    {
        std::vector<fw::KernelHandle> events;
        for (int i = 0; i < 25; ++i) events.emplace_back(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
        std::vector<fw::BrushHandle> brushes;
        for (int i = 0; i < 30; ++i) brushes.emplace_back(::CreateSolidBrush(RGB(i, 2 * i, 3 * i)));
        std::vector<WindowHandle> windows;
        for (int i = 0; i < 3; ++i) windows.push_back(MakeWindow(nullptr));
        windows.push_back(MakeWindow(windows.front().get()));
        windows.push_back(MakeWindow(HWND_MESSAGE));
        std::vector<char> block(24 << 20);
        std::memset(block.data(), 1, block.size());  // committed and touched

        held = MeasureProcess(self);
        std::printf("holding 25 events, 30 brushes, 5 windows, 24 MB: %s\n", Describe(held).c_str());
        EXPECT_EQ(held.handles - before.handles, 25);
        EXPECT_EQ(held.gdiObjects - before.gdiObjects, 30);
        EXPECT_EQ(GdiObjectCount() - probedBefore, 30) << "as probing from inside sees it";
        EXPECT_EQ(held.windows - before.windows, 5);
        EXPECT_GE(held.workingSetMb - before.workingSetMb, 23.0);
        EXPECT_GE(held.privateMb - before.privateMb, 23.0);
    }
    const ProcessFigures after = MeasureProcess(self);
    std::printf("after: %s\n", Describe(after).c_str());
    EXPECT_EQ(after.handles, before.handles);
    EXPECT_EQ(after.gdiObjects, before.gdiObjects);
    EXPECT_EQ(after.windows, before.windows);
    EXPECT_LT(after.privateMb, held.privateMb - 20.0) << "a freed large block is returned";
}

TEST(SoakGauges, CpuTimeCountsEveryThread) {
    const DWORD self = ::GetCurrentProcessId();
    const double before = CpuMillisecondsOf(self);
    const double ownBefore = OwnProcessCpuMs();
    ASSERT_GE(before, 0);
    std::thread other([] { Spin(300); });
    Spin(300);
    other.join();
    const double used = CpuMillisecondsOf(self) - before;
    const double ownUsed = OwnProcessCpuMs() - ownBefore;
    std::printf("two threads of 300 ms: %.0f ms by the process list, %.0f ms by GetProcessTimes\n", used, ownUsed);
    EXPECT_GE(used, 550.0);
    EXPECT_NEAR(used, ownUsed, 100.0) << "for its own process GetProcessTimes is right, under Wine too";
}
