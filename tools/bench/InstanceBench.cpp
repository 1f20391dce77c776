// Figures of a running launcher instance against the floor program (an empty
// dialog built the same way), for tools/bench/run.sh:
//   zuva_bench_instance.exe <road runs> <idle seconds>
// - the login road: from the click on an account to the game frame attached
//   in the main window (the frame posts WM_PAGE_ATTACH and takes its place
//   there at once) and to the frame shown, for the first login and for a
//   second one in a new tab; medians over the runs;
// - with three pages: the memory of the main process and of the page
//   processes, then the CPU time they use idle over the given seconds, with
//   the floor program running idle beside them over the same seconds, and
//   the context switches of each over that period.
// Prints one "name value" line per figure; the script makes the table.
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "framework/Handles.h"
#include "LauncherDriver.h"
#include "SoakGauges.h"
#include "WinTestSupport.h"

using namespace wintest;

namespace {

double NowMs() {
    LARGE_INTEGER freq, now;
    ::QueryPerformanceFrequency(&freq);
    ::QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(freq.QuadPart);
}

// Polls about every millisecond, for up to 20 s.
template <class Condition>
bool Poll(Condition condition) {
    const DWORD start = ::GetTickCount();
    while (!condition()) {
        if (::GetTickCount() - start > 20000) return false;
        ::Sleep(1);
    }
    return true;
}

double Median(std::vector<double> values) {
    if (values.empty()) return -1;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Figure(const char* name, double value) {
    std::printf("%s %.1f\n", name, value);
    std::fflush(stdout);
}

struct RoadTimes {
    double attachMs = -1;
    double shownMs = -1;
};

// Clicks `account` on the newest login of `app` and times the page's arrival.
RoadTimes TimeLogin(LauncherInstance& app, const wchar_t* account) {
    RoadTimes t;
    HWND login = app.NextLogin();
    if (!login) return t;
    ::Sleep(500);  // the login page drawn and idle, as a player finds it
    const DWORD child = app.children.back();
    const double start = NowMs();
    if (!SendPageCommand(login, std::wstring(L"click ") + account)) return t;
    HWND frame = nullptr;
    if (!Poll([&] { return (frame = FrameOf(app.main, child)) != nullptr; })) return t;
    t.attachMs = NowMs() - start;
    if (Poll([&] { return ::IsWindowVisible(frame) != FALSE; })) t.shownMs = NowMs() - start;
    return t;
}

bool MeasureRoad(int runs) {
    std::vector<double> firstAttach, firstShown, tabAttach, tabShown;
    for (int run = 0; run < runs; ++run) {
        LauncherInstance app;
        if (!app.main) return false;
        const RoadTimes first = TimeLogin(app, L"lucky12");
        if (first.shownMs < 0 || !AnswerAddAccount(app, true)) return false;
        const RoadTimes tab = TimeLogin(app, L"fox12");
        if (tab.shownMs < 0) return false;
        firstAttach.push_back(first.attachMs);
        firstShown.push_back(first.shownMs);
        tabAttach.push_back(tab.attachMs);
        tabShown.push_back(tab.shownMs);
    }
    Figure("road_runs", runs);
    Figure("road_first_attach_ms", Median(firstAttach));
    Figure("road_first_shown_ms", Median(firstShown));
    Figure("road_tab_attach_ms", Median(tabAttach));
    Figure("road_tab_shown_ms", Median(tabShown));
    return true;
}

bool OpenThreePages(LauncherInstance& app) {
    const wchar_t* const accounts[] = {L"lucky12", L"fox12", L"wolf12"};
    for (size_t i = 0; i < 3; ++i) {
        if (i > 0 && !AnswerAddAccount(app, true)) return false;
        if (!LogIn(app, accounts[i]) || !app.WaitForPages(i + 1)) return false;
        HWND frame = FrameOf(app.main, app.children.back());
        if (!frame || !WaitUntil([&] { return ::IsWindowVisible(frame) != FALSE; }, 15000)) return false;
    }
    return true;
}

void MemoryFigures(const char* who, DWORD pid) {
    SIZE_T ws = 0, priv = 0;
    if (!MemoryOf(pid, &ws, &priv)) return;
    const std::string name = std::string("mem_") + who;
    Figure((name + "_ws_mb").c_str(), ws / 1048576.0);
    Figure((name + "_private_mb").c_str(), priv / 1048576.0);
}

// Context switches: Wine runs each Windows process as a Linux process, whose
// threads' context switches (each time a thread runs again after waiting)
// /proc counts; Wine's Z: drive reaches /proc. Which Linux process is which
// is told by its command line, which Wine sets to the Windows one.
long long FieldOf(const std::string& status, const char* name) {
    const size_t at = status.find(name);
    return at == std::string::npos ? 0 : std::atoll(status.c_str() + at + std::strlen(name));
}

// The context switches of every thread of one Linux process.
long long SwitchesOf(const std::wstring& pid) {
    long long sum = 0;
    WIN32_FIND_DATAW found{};
    const std::wstring tasks = L"Z:\\proc\\" + pid + L"\\task\\";
    fw::FindFileHandle find(::FindFirstFileW((tasks + L"*").c_str(), &found));
    for (bool more = static_cast<bool>(find); more; more = ::FindNextFileW(find.get(), &found) != FALSE) {
        if (found.cFileName[0] < L'0' || found.cFileName[0] > L'9') continue;
        const std::string status = ReadFileBytes(tasks + found.cFileName + L"\\status");
        sum += FieldOf(status, "voluntary_ctxt_switches:") + FieldOf(status, "nonvoluntary_ctxt_switches:");
    }
    return sum;
}

struct Switches {
    long long main = 0, pages = 0, floor = 0;
    int pageProcesses = 0;
};

bool Contains(const std::string& text, const std::string& part) {
    const auto lower = [](std::string s) {
        for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    };
    return lower(text).find(lower(part)) != std::string::npos;
}

// This build folder's ZuvaScripted.exe processes are the launcher's (another
// build folder's suite may run beside it): the page processes carry
// "/newgm", the main one does not.
Switches CountSwitches() {
    std::string folder;
    for (wchar_t c : BuildDir()) folder += static_cast<char>(c);
    Switches counts;
    WIN32_FIND_DATAW found{};
    fw::FindFileHandle find(::FindFirstFileW(L"Z:\\proc\\*", &found));
    for (bool more = static_cast<bool>(find); more; more = ::FindNextFileW(find.get(), &found) != FALSE) {
        const std::wstring pid = found.cFileName;
        if (pid.empty() || pid[0] < L'0' || pid[0] > L'9') continue;
        std::string line = ReadFileBytes(L"Z:\\proc\\" + pid + L"\\cmdline");
        for (char& c : line) c = c == '\0' ? ' ' : c;
        if (Contains(line, folder + "\\zuva_bench_floor.exe")) {
            counts.floor += SwitchesOf(pid);
        } else if (Contains(line, folder + "\\ZuvaScripted.exe")) {
            if (line.find("/newgm") != std::string::npos) {
                counts.pages += SwitchesOf(pid);
                ++counts.pageProcesses;
            } else {
                counts.main += SwitchesOf(pid);
            }
        }
    }
    return counts;
}

// The floor program started with `switches`, and its window once shown.
struct FloorProgram {
    explicit FloorProgram(const wchar_t* switches)
        : process(BuildDir() + L"\\zuva_bench_floor.exe", switches),
          window(process.started() ? WaitForWindow(process.pid(), L"#32770", L"ZuvaBenchFloor", 15000) : nullptr) {}
    LauncherProcess process;
    HWND window;
};

// The floor doing what a kind of launcher process cannot leave out (see
// FloorDialog.cpp): its memory once its window shows, then it is closed,
// before the idle period counts the floor's context switches.
void FloorVariantFigures(const char* who, const wchar_t* switches) {
    FloorProgram variant(switches);
    LauncherProcess& floor = variant.process;
    const HWND window = variant.window;
    if (!window) return;
    ::Sleep(1000);
    MemoryFigures(who, floor.pid());
    ::PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    floor.WaitForExit(5000);
}

double CpuOfAll(const std::vector<DWORD>& pids) {
    double sum = 0;
    for (DWORD pid : pids) sum += std::max(0.0, CpuMillisecondsOf(pid));
    return sum;
}

bool MeasureIdle(int seconds) {
    LauncherInstance app;
    if (!app.main || !OpenThreePages(app)) return false;
    FloorProgram plain(L"");
    LauncherProcess& floor = plain.process;
    const HWND floorWindow = plain.window;
    if (!floorWindow) return false;
    ::Sleep(3000);  // pages loaded, start-up work of both done

    const DWORD mainPid = app.process.pid();
    const std::vector<DWORD> pages = app.children;
    MemoryFigures("main", mainPid);
    double pageWs = 0, pagePrivate = 0;
    for (DWORD pid : pages) {
        SIZE_T ws = 0, priv = 0;
        if (MemoryOf(pid, &ws, &priv)) {
            pageWs += ws / 1048576.0;
            pagePrivate += priv / 1048576.0;
        }
    }
    Figure("mem_page_ws_mb", pageWs / pages.size());
    Figure("mem_page_private_mb", pagePrivate / pages.size());
    MemoryFigures("floor", floor.pid());
    FloorVariantFigures("floor_worker", L"/worker");
    FloorVariantFigures("floor_worker_mixer", L"/worker /mixer");

    const double main0 = CpuMillisecondsOf(mainPid), pages0 = CpuOfAll(pages), floor0 = CpuMillisecondsOf(floor.pid());
    const Switches before = CountSwitches();
    const double start = NowMs();
    ::Sleep(static_cast<DWORD>(seconds) * 1000);
    const double wallMs = NowMs() - start;
    const Switches after = CountSwitches();
    const double main1 = CpuMillisecondsOf(mainPid), pages1 = CpuOfAll(pages), floor1 = CpuMillisecondsOf(floor.pid());
    Figure("cpu_seconds", wallMs / 1000.0);
    Figure("cpu_main_ms", main1 - main0);
    Figure("cpu_pages_ms", pages1 - pages0);
    Figure("cpu_floor_ms", floor1 - floor0);
    const double perSecond = 1000.0 / wallMs;
    Figure("switches_main_per_s", (after.main - before.main) * perSecond);
    Figure("switches_page_per_s", (after.pages - before.pages) * perSecond / std::max(1, after.pageProcesses));
    Figure("switches_floor_per_s", (after.floor - before.floor) * perSecond);
    ::PostMessageW(floorWindow, WM_COMMAND, IDCANCEL, 0);
    floor.WaitForExit(5000);
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: zuva_bench_instance.exe <road runs> <idle seconds>\n");
        return 2;
    }
    if (!MeasureRoad(std::max(1, _wtoi(argv[1])))) {
        std::fprintf(stderr, "the login road did not reach a page\n");
        return 1;
    }
    if (!MeasureIdle(std::max(1, _wtoi(argv[2])))) {
        std::fprintf(stderr, "three pages and the floor program did not come up\n");
        return 1;
    }
    return 0;
}
