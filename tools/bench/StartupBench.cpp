// Measures the time from starting a program to its top-level dialog being
// visible, over several runs, and prints the median (and the spread).
//   zuva_bench_startup.exe <runs> <window title> <program> [arguments]
// Each run closes the program again with WM_SYSCOMMAND SC_CLOSE.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {
struct Search {
    DWORD pid;
    const wchar_t* title;
    HWND found;
};

BOOL CALLBACK Match(HWND hwnd, LPARAM lp) {
    auto* s = reinterpret_cast<Search*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    wchar_t title[128] = {};
    GetWindowTextW(hwnd, title, 128);
    if (pid == s->pid && IsWindowVisible(hwnd) && wcscmp(title, s->title) == 0) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER freq) {
    return double(to.QuadPart - from.QuadPart) / double(freq.QuadPart);
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        fwprintf(stderr, L"usage: %ls runs title program [arguments]\n", argv[0]);
        return 2;
    }
    const int runs = _wtoi(argv[1]);
    const wchar_t* title = argv[2];
    std::wstring line = L"\"" + std::wstring(argv[3]) + L"\"";
    for (int i = 4; i < argc; ++i) line += std::wstring(L" ") + argv[i];

    LARGE_INTEGER freq;
    QueryPerformanceFrequency(&freq);
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        std::vector<wchar_t> buf(line.begin(), line.end());
        buf.push_back(0);
        STARTUPINFOW si{};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi{};
        LARGE_INTEGER start, now;
        QueryPerformanceCounter(&start);
        if (!CreateProcessW(nullptr, buf.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
            fwprintf(stderr, L"cannot start %ls\n", argv[3]);
            return 1;
        }
        Search s{pi.dwProcessId, title, nullptr};
        for (;;) {
            EnumWindows(Match, reinterpret_cast<LPARAM>(&s));
            QueryPerformanceCounter(&now);
            if (s.found || Seconds(start, now, freq) > 30) break;
            Sleep(2);
        }
        if (s.found) {
            times.push_back(Seconds(start, now, freq));
            PostMessageW(s.found, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    if (times.empty()) {
        fwprintf(stderr, L"the window never appeared\n");
        return 1;
    }
    std::sort(times.begin(), times.end());
    wprintf(L"%d runs: median %.0f ms (min %.0f, max %.0f)\n", int(times.size()),
            times[times.size() / 2] * 1000, times.front() * 1000, times.back() * 1000);
    return 0;
}
