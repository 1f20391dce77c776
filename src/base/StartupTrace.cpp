#include "base/StartupTrace.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>

#include "base/BuildConfig.h"
#include "framework/Handles.h"

namespace {

// The file named by ZUVA_STARTUP_TRACE; empty when marks are not wanted.
const wchar_t* TraceFile() {
    static wchar_t path[MAX_PATH] = {};
    static const bool wanted =
        buildcfg::kStartupTrace &&
        ::GetEnvironmentVariableW(L"ZUVA_STARTUP_TRACE", path, MAX_PATH) - 1u < MAX_PATH - 1u;
    return wanted ? path : nullptr;
}

double MsSinceCreation() {
    FILETIME created{}, exited{}, kernel{}, user{}, now{};
    if (!::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user)) return -1;
    ::GetSystemTimeAsFileTime(&now);  // as precise as the tick under Wine
    const auto ticks = [](const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return static_cast<double>(static_cast<long long>(ticks(now) - ticks(created))) / 10000.0;
}

// Under Wine the commit charge is what the process holds privately.
unsigned long long PrivateKb() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (!::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof(counters))) return 0;
    return counters.PagefileUsage / 1024;
}

}  // namespace

void TraceStartupStep(const char* step) {
    const wchar_t* path = TraceFile();
    if (!path) return;
    char line[160];
    const int size = std::snprintf(line, sizeof(line), "%lu\t%.1f\t%llu\t%s\n", ::GetCurrentProcessId(),
                                   MsSinceCreation(), PrivateKb(), step);
    if (size <= 0) return;
    // One write per line, appended, so that processes may share the file.
    fw::FileHandle file(::CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (file) ::WriteFile(file.get(), line, static_cast<DWORD>(std::min<int>(size, sizeof(line) - 1)), &written, nullptr);
}
