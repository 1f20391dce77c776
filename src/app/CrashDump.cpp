#include "app/CrashDump.h"

#include <dbghelp.h>

#include <atomic>

#include "app/DumpFileName.h"
#include "app/LaunchModeWin.h"
#include "base/AdminOnlySecurity.h"
#include "base/NewFile.h"
#include "framework/Handles.h"
#include "framework/SystemLibrary.h"

namespace {
// Once-only: set by the thread that writes the process's one dump.
std::atomic<bool> g_bDumpTaken{false};
std::atomic<bool> g_bDumpWritten{false};
std::atomic<DWORD> g_dumpThread{0};

using MiniDumpWriteDumpFn = BOOL(WINAPI*)(HANDLE, DWORD, HANDLE, MINIDUMP_TYPE, PMINIDUMP_EXCEPTION_INFORMATION,
                                          PMINIDUMP_USER_STREAM_INFORMATION, PMINIDUMP_CALLBACK_INFORMATION);

// Richest first; the plainer kinds are for systems whose library refuses
// the richer ones.
const MINIDUMP_TYPE kDumpKinds[] = {
    static_cast<MINIDUMP_TYPE>(MiniDumpWithDataSegs | MiniDumpWithHandleData | MiniDumpWithUnloadedModules |
                               MiniDumpWithPrivateReadWriteMemory | MiniDumpWithFullMemoryInfo |
                               MiniDumpWithThreadInfo),
    static_cast<MINIDUMP_TYPE>(MiniDumpWithDataSegs | MiniDumpWithHandleData | MiniDumpWithUnloadedModules |
                               MiniDumpWithPrivateReadWriteMemory),
    MiniDumpNormal,
};

// A failed try may have left part of a dump; the next starts on an empty file.
void EmptyFile(HANDLE file) {
    ::SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    ::SetEndOfFile(file);
}

// A second crash ends the process, but not under a dump another thread is
// still writing.
LONG AfterTheDump() {
    if (g_dumpThread.load() != ::GetCurrentThreadId())
        for (int i = 0; i < 600 && !g_bDumpWritten.load(); ++i) ::Sleep(50);
    return EXCEPTION_EXECUTE_HANDLER;
}
}  // namespace

bool WriteDump(HANDLE file, EXCEPTION_POINTERS* pointers) {
    if (!pointers) {
        // As if a breakpoint had been hit right here.
        CONTEXT context{};
        ::RtlCaptureContext(&context);
        EXCEPTION_RECORD record{};
        record.ExceptionCode = EXCEPTION_BREAKPOINT;
#ifdef _WIN64
        record.ExceptionAddress = reinterpret_cast<void*>(context.Rip);
#else
        record.ExceptionAddress = reinterpret_cast<void*>(context.Eip);
#endif
        EXCEPTION_POINTERS here{&record, &context};
        return WriteDump(file, &here);
    }
    // Only now: a process that never crashes never loads it.
    const fw::SystemLibrary dbghelp(L"dbghelp.dll");
    const auto write = dbghelp.Find<MiniDumpWriteDumpFn>("MiniDumpWriteDump");
    if (!write) return false;
    MINIDUMP_EXCEPTION_INFORMATION exception{::GetCurrentThreadId(), pointers, TRUE};
    for (MINIDUMP_TYPE kind : kDumpKinds) {
        EmptyFile(file);
        if (write(::GetCurrentProcess(), ::GetCurrentProcessId(), file, kind, &exception, nullptr, nullptr))
            return true;
    }
    return false;
}

LONG WINAPI CrashFilter(EXCEPTION_POINTERS* pointers) {
    if (g_bDumpTaken.load()) return AfterTheDump();
    const std::wstring dumpPath = DumpPathFor(GetExePath());
    if (dumpPath.empty()) return EXCEPTION_CONTINUE_SEARCH;
    if (g_bDumpTaken.exchange(true)) return AfterTheDump();
    g_dumpThread.store(::GetCurrentThreadId());
    {
        // A whole process's memory, session cookies included: for the
        // administrators' eyes only, in a file nobody else made first.
        AdminOnlySecurity security;
        if (security.ok()) {
            fw::FileHandle file = CreateFileAnew(dumpPath, GENERIC_WRITE, 0, security.attributes());
            if (file) WriteDump(file.get(), pointers);
        }
    }
    g_bDumpWritten.store(true);
    return EXCEPTION_CONTINUE_SEARCH;
}

void InstallCrashFilter() { ::SetUnhandledExceptionFilter(&CrashFilter); }
