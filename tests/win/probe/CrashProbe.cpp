// A program that crashes on purpose, for the crash-dump tests.
//   zuva_crash_probe.exe once    the product's filter, one access violation
//   zuva_crash_probe.exe twice   two unhandled exceptions in one process; the
//                                filter's answers go to <probe>.log
//   zuva_crash_probe.exe overflow  the product's filter, a stack overflow
#include <windows.h>

#include <string>

#include "app/CrashDump.h"
#include "app/DumpFileName.h"
#include "app/LaunchModeWin.h"
#include "framework/Handles.h"

namespace {
const DWORD kFirstCrash = 0xE0000001;
int g_nCrashes = 0;

void Note(const std::string& line) {
    const std::wstring log = GetExePath() + L".log";
    fw::FileHandle file(::CreateFileW(log.c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS, 0, nullptr));
    DWORD written = 0;
    if (file) ::WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

// Passes each unhandled exception to the launcher's filter and notes its
// answer. The first one is continued, so that a second can follow.
LONG WINAPI RecordingFilter(EXCEPTION_POINTERS* pointers) {
    const LONG answer = CrashFilter(pointers);
    Note("crash " + std::to_string(++g_nCrashes) + " answer " + std::to_string(answer) + "\n");
    if (pointers->ExceptionRecord->ExceptionCode == kFirstCrash) {
        // Keep the first dump aside: a second one would be a new file.
        const std::wstring dump = DumpPathFor(GetExePath());
        ::MoveFileW(dump.c_str(), (dump + L".first").c_str());
        return EXCEPTION_CONTINUE_EXECUTION;
    }
    return answer;
}

void AccessViolation() { *static_cast<volatile int*>(nullptr) = 1; }

// Uses up the stack a page at a time, until the system's guard page is gone.
int Overflow(int depth) {
    volatile char page[4096];
    page[depth % sizeof(page)] = 1;
    if (depth < 0) return 0;
    return Overflow(depth + 1) + page[0];
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    if (mode == L"once") {
        InstallCrashFilter();
        AccessViolation();
    } else if (mode == L"twice") {
        InstallCrashFilter();  // for its dump thread
        ::SetUnhandledExceptionFilter(&RecordingFilter);
        ::RaiseException(kFirstCrash, 0, 0, nullptr);
        Note("continued\n");
        AccessViolation();
    } else if (mode == L"overflow") {
        InstallCrashFilter();
        return Overflow(0);
    }
    return 3;
}
