#include "SoakGauges.h"

#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <vector>

#include "framework/Handles.h"
#include "WinTestSupport.h"

namespace wintest {

namespace {
constexpr NTSTATUS kLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);
constexpr int kSystemHandleInformation = 16;

// One entry of the system's handle list (SystemHandleInformation).
struct SystemHandleEntry {
    ULONG ownerPid;
    BYTE objectType;
    BYTE flags;
    USHORT handle;
    PVOID object;
    ACCESS_MASK access;
};

// Asks NtQuerySystemInformation with a buffer that grows until it fits.
std::vector<BYTE> QuerySystem(int infoClass) {
    std::vector<BYTE> buffer(256 * 1024);
    for (int tries = 0; tries < 8; ++tries) {
        ULONG needed = 0;
        const NTSTATUS status = ::NtQuerySystemInformation(static_cast<SYSTEM_INFORMATION_CLASS>(infoClass),
                                                           buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
        if (status == 0) return buffer;
        if (status != kLengthMismatch) break;
        buffer.resize(std::max<size_t>(buffer.size() * 2, needed + 4096));
    }
    return {};
}

fw::KernelHandle OpenForReading(DWORD pid) {
    return fw::KernelHandle(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid));
}

struct WindowTally {
    DWORD pid;
    long count;
    std::map<std::wstring, int>* byClass;  // or null
};

BOOL CALLBACK TallyChild(HWND wnd, LPARAM lp) {
    auto* tally = reinterpret_cast<WindowTally*>(lp);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(wnd, &pid);
    if (pid != tally->pid) return TRUE;
    ++tally->count;
    if (tally->byClass) {
        wchar_t name[64] = {};
        ::GetClassNameW(wnd, name, 64);
        ++(*tally->byClass)[name];
    }
    return TRUE;
}

// A root window and all its descendants (EnumChildWindows walks the whole tree).
void TallyTree(HWND root, WindowTally* tally) {
    TallyChild(root, reinterpret_cast<LPARAM>(tally));
    ::EnumChildWindows(root, &TallyChild, reinterpret_cast<LPARAM>(tally));
}

BOOL CALLBACK TallyTopLevel(HWND wnd, LPARAM lp) {
    TallyTree(wnd, reinterpret_cast<WindowTally*>(lp));
    return TRUE;
}

// A window of the process may sit under another process's window (a page
// frame in its main window), so every tree is walked, the message-only
// windows' too.
void TallyWindows(WindowTally* tally) {
    ::EnumWindows(&TallyTopLevel, reinterpret_cast<LPARAM>(tally));
    for (HWND w = ::FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); w;
         w = ::FindWindowExW(HWND_MESSAGE, w, nullptr, nullptr))
        TallyTree(w, tally);
}
double Megabytes(SIZE_T bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }
}  // namespace

long HandleCountOf(DWORD pid) {
    fw::KernelHandle process = OpenForReading(pid);
    DWORD count = 0;
    if (process && ::GetProcessHandleCount(process.get(), &count) && count > 0) return static_cast<long>(count);
    // Wine answers 0 there (and its process list gives the table's capacity,
    // not its use), but its system handle list names every handle's owner.
    const std::vector<BYTE> list = QuerySystem(kSystemHandleInformation);
    if (list.size() < sizeof(ULONG)) return -1;
    const ULONG total = *reinterpret_cast<const ULONG*>(list.data());
    const auto* entries = reinterpret_cast<const SystemHandleEntry*>(list.data() + sizeof(ULONG_PTR));
    if (sizeof(ULONG_PTR) + total * sizeof(SystemHandleEntry) > list.size()) return -1;
    long owned = 0;
    for (ULONG i = 0; i < total; ++i)
        if (entries[i].ownerPid == pid) ++owned;
    return owned;
}

long GdiObjectCountOf(DWORD pid) {
    fw::KernelHandle process = OpenForReading(pid);
    if (!process) return -1;
    if (const DWORD reported = ::GetGuiResources(process.get(), GR_GDIOBJECTS)) return static_cast<long>(reported);
    // Wine answers 0. It keeps each process's GDI handle table where Windows
    // keeps the shared one: the PEB's GdiSharedHandleTable, 0x10000 entries
    // of 24 bytes with the object type at byte 14 (0 for a free entry).
    constexpr SIZE_T kPebGdiTableOffset = sizeof(void*) == 4 ? 0x94 : 0xF8;
    constexpr size_t kEntries = 0x10000, kEntrySize = 24, kTypeOffset = 14;
    PROCESS_BASIC_INFORMATION basic{};
    ULONG got = 0;
    if (::NtQueryInformationProcess(process.get(), ProcessBasicInformation, &basic, sizeof(basic), &got) != 0)
        return -1;
    ULONG_PTR table = 0;
    SIZE_T read = 0;
    if (!::ReadProcessMemory(process.get(), reinterpret_cast<BYTE*>(basic.PebBaseAddress) + kPebGdiTableOffset,
                             &table, sizeof(table), &read) ||
        !table)
        return -1;
    std::vector<BYTE> entries(kEntries * kEntrySize);
    if (!::ReadProcessMemory(process.get(), reinterpret_cast<void*>(table), entries.data(), entries.size(), &read))
        return -1;
    long used = 0;
    for (size_t i = 0; i < kEntries; ++i)
        if (entries[i * kEntrySize + kTypeOffset]) ++used;
    return used;
}

long WindowCountOf(DWORD pid) {
    fw::KernelHandle process = OpenForReading(pid);
    if (process) {
        if (const DWORD reported = ::GetGuiResources(process.get(), GR_USEROBJECTS)) return static_cast<long>(reported);
    }
    // Wine answers 0, and its menus, icons, cursors and hooks carry no owner
    // another process could read; windows do.
    WindowTally tally{pid, 0, nullptr};
    TallyWindows(&tally);
    return tally.count;
}

std::string WindowClassesOf(DWORD pid) {
    std::map<std::wstring, int> byClass;
    WindowTally tally{pid, 0, &byClass};
    TallyWindows(&tally);
    std::string text;
    for (const auto& entry : byClass) {
        char part[96];
        std::snprintf(part, sizeof(part), "%s%ls %d", text.empty() ? "" : ", ", entry.first.c_str(), entry.second);
        text += part;
    }
    return text;
}

bool MemoryOf(DWORD pid, SIZE_T* workingSet, SIZE_T* privateBytes) {
    fw::KernelHandle process = OpenForReading(pid);
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    if (!process || !::GetProcessMemoryInfo(process.get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                            sizeof(counters)))
        return false;
    *workingSet = counters.WorkingSetSize;
    // Wine leaves PrivateUsage at 0; the commit charge (PagefileUsage) is the
    // same figure on Windows and Wine fills it.
    *privateBytes = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
    return true;
}

double CpuMillisecondsOf(DWORD pid) {
    if (!RunningUnderWine()) {
        fw::KernelHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
        FILETIME created, ended, kernel, user;
        if (!process || !::GetProcessTimes(process.get(), &created, &ended, &kernel, &user)) return -1;
        const auto ticks = [](FILETIME t) { return (ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
        return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
    }
    // For another process Wine's GetProcessTimes answers with the caller's
    // own times. Its process list has the right ones; the documented layout
    // keeps UserTime and KernelTime at these offsets (mingw's header calls
    // them reserved).
    constexpr size_t kUserTime = 0x28, kKernelTime = 0x30;
    const std::vector<BYTE> list = QuerySystem(SystemProcessInformation);
    for (size_t at = 0; at + sizeof(SYSTEM_PROCESS_INFORMATION) <= list.size();) {
        const auto* entry = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(list.data() + at);
        if (static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(entry->UniqueProcessId)) == pid) {
            LARGE_INTEGER user, kernel;
            std::memcpy(&user, list.data() + at + kUserTime, sizeof(user));
            std::memcpy(&kernel, list.data() + at + kKernelTime, sizeof(kernel));
            return static_cast<double>(user.QuadPart + kernel.QuadPart) / 10000.0;
        }
        if (!entry->NextEntryOffset) break;
        at += entry->NextEntryOffset;
    }
    return -1;
}

ProcessFigures MeasureProcess(DWORD pid) {
    ProcessFigures f;
    f.handles = HandleCountOf(pid);
    f.gdiObjects = GdiObjectCountOf(pid);
    f.windows = WindowCountOf(pid);
    SIZE_T ws = 0, priv = 0;
    if (MemoryOf(pid, &ws, &priv)) {
        f.workingSetMb = Megabytes(ws);
        f.privateMb = Megabytes(priv);
    }
    return f;
}

std::string Describe(const ProcessFigures& f) {
    char text[160];
    std::snprintf(text, sizeof(text), "handles %ld gdi %ld windows %ld ws %.1f MB private %.1f MB", f.handles,
                  f.gdiObjects, f.windows, f.workingSetMb, f.privateMb);
    return text;
}

}  // namespace wintest
