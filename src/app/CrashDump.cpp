#include "app/CrashDump.h"

#include <dbghelp.h>
#include <shlobj.h>

#include <atomic>
#include <string>
#include <utility>

#include "app/CrashExit.h"
#include "app/DumpFileName.h"
#include "app/LaunchModeWin.h"
#include "base/AdminOnlySecurity.h"
#include "base/NewFile.h"
#include "base/PathText.h"
#include "framework/Handles.h"
#include "framework/SystemLibrary.h"

namespace {
// Once-only: set by the thread that takes the process's one dump.
std::atomic<bool> g_bDumpTaken{false};
std::atomic<bool> g_bDumpWritten{false};
std::atomic<DWORD> g_dumpThread{0};  // the thread that writes it
// A process with the player's rights (a page, the hall, a login) leaves the
// main window and ends after its dump, the system's crash handling skipped.
std::atomic<bool> g_bEndsQuietly{false};

// How long a crashing thread waits for its dump, and a second crash for the
// first one's. The richest kind reads all the private memory of the
// process, seconds on a slow disk; past the limit the dump thread is taken
// to be stuck behind a lock the crashed thread holds (the loader's, while
// DbgHelp loads; the heap's), and the process goes without its dump
// rather than hang on screen.
constexpr DWORD kDumpWaitMs = 30000;

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
        for (DWORD waited = 0; waited < kDumpWaitMs && !g_bDumpWritten.load(); waited += 50) ::Sleep(50);
    return EXCEPTION_EXECUTE_HANDLER;
}

bool WriteDumpWith(MiniDumpWriteDumpFn write, HANDLE file, EXCEPTION_POINTERS* pointers, DWORD threadId) {
    if (!write) return false;
    MINIDUMP_EXCEPTION_INFORMATION exception{threadId, pointers, FALSE};  // our own memory
    for (MINIDUMP_TYPE kind : kDumpKinds) {
        EmptyFile(file);
        if (write(::GetCurrentProcess(), ::GetCurrentProcessId(), file, kind, &exception, nullptr, nullptr))
            return true;
    }
    return false;
}

void WriteDumpFile(MiniDumpWriteDumpFn write, const std::wstring& path, bool asPlayer, EXCEPTION_POINTERS* pointers,
                   DWORD faultingThread) {
    // A whole process's memory, session cookies included: in a file nobody
    // else made first, for the administrators' eyes only beside the
    // executable, or in the player's own folder, the player's.
    AdminOnlySecurity security;
    if (!asPlayer && !security.ok()) return;
    if (asPlayer) ::SHCreateDirectoryExW(nullptr, FolderOfPath(path).c_str(), nullptr);
    fw::FileHandle file = CreateFileAnew(path, GENERIC_WRITE, 0, asPlayer ? nullptr : security.attributes());
    if (!file) return;
    if (write) {
        WriteDumpWith(write, file.get(), pointers, faultingThread);
    } else {
        WriteDump(file.get(), pointers, faultingThread);
    }
}

// This process's dump, beside the executable or, for a process with the
// player's rights, in the player's local application data.
std::wstring DumpPath(bool asPlayer) {
    if (!asPlayer) return DumpPathFor(GetExePath());
    wchar_t local[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local)))
        return std::wstring();
    return PlayerDumpPathFor(local, GetExePath());
}

class DumpThread;
// Set while the installed filter's dump thread runs.
std::atomic<DumpThread*> g_pDumpThread{nullptr};

// The thread that writes the dump for a crashed one. A crashed thread may
// hold the loader lock or have no stack left, and the process may be past
// making threads, so this one is made ahead and waits.
class DumpThread {
public:
    DumpThread(std::wstring dumpPath, bool asPlayer) : m_dumpPath(std::move(dumpPath)), m_asPlayer(asPlayer) {
        if (m_request && m_written) m_thread.reset(::CreateThread(nullptr, 0, &DumpThread::Run, this, 0, &m_threadId));
    }
    ~DumpThread() {
        DumpThread* self = this;
        g_pDumpThread.compare_exchange_strong(self, nullptr);
        if (!m_thread) return;
        m_stopping.store(true);
        ::SetEvent(m_request.get());
        ::WaitForSingleObject(m_thread.get(), INFINITE);
    }
    DumpThread(const DumpThread&) = delete;
    DumpThread& operator=(const DumpThread&) = delete;

    bool running() const { return static_cast<bool>(m_thread); }
    DWORD id() const { return m_threadId; }
    bool HasDumpPath() const { return !m_dumpPath.empty(); }

    // Hands the calling thread's exception over and waits for its dump.
    // Little stack and no heap: the caller may have run out of the one or
    // hold the other's lock.
    void DumpFor(EXCEPTION_POINTERS* pointers) {
        m_faultingThread = ::GetCurrentThreadId();
        m_pointers = pointers;
        ::SetEvent(m_request.get());
        ::WaitForSingleObject(m_written.get(), kDumpWaitMs);
    }

private:
    static DWORD WINAPI Run(void* param) {
        auto* self = static_cast<DumpThread*>(param);
        // Loaded now, not at the crash: the crashed thread may hold the
        // loader's lock.
        const fw::SystemLibrary dbghelp(L"dbghelp.dll");
        const auto write = dbghelp.Find<MiniDumpWriteDumpFn>("MiniDumpWriteDump");
        ::WaitForSingleObject(self->m_request.get(), INFINITE);
        if (self->m_stopping.load() || !write) return 0;
        WriteDumpFile(write, self->m_dumpPath, self->m_asPlayer, self->m_pointers, self->m_faultingThread);
        g_bDumpWritten.store(true);
        ::SetEvent(self->m_written.get());
        return 0;
    }

    const std::wstring m_dumpPath;  // empty: no dump
    const bool m_asPlayer;
    fw::KernelHandle m_request{::CreateEventW(nullptr, FALSE, FALSE, nullptr)};
    fw::KernelHandle m_written{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    fw::KernelHandle m_thread;
    DWORD m_threadId = 0;
    DWORD m_faultingThread = 0;
    EXCEPTION_POINTERS* m_pointers = nullptr;
    std::atomic<bool> m_stopping{false};
};
}  // namespace

bool WriteDump(HANDLE file, EXCEPTION_POINTERS* pointers, DWORD threadId) {
    const fw::SystemLibrary dbghelp(L"dbghelp.dll");
    const auto write = dbghelp.Find<MiniDumpWriteDumpFn>("MiniDumpWriteDump");
    if (pointers) return WriteDumpWith(write, file, pointers, threadId);
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
    return WriteDumpWith(write, file, &here, threadId);
}

LONG WINAPI CrashFilter(EXCEPTION_POINTERS* pointers) {
    if (g_bDumpTaken.load()) return AfterTheDump();
    // A page first leaves the main window, whatever comes of its dump.
    if (g_bEndsQuietly.load()) LeaveOwnerWindow();
    const LONG afterwards = g_bEndsQuietly.load() ? EXCEPTION_EXECUTE_HANDLER : EXCEPTION_CONTINUE_SEARCH;
    DumpThread* dumper = g_pDumpThread.load();
    if (dumper ? !dumper->HasDumpPath() : DumpPathFor(GetExePath()).empty()) return afterwards;
    if (g_bDumpTaken.exchange(true)) return AfterTheDump();
    if (dumper) {
        g_dumpThread.store(dumper->id());
        dumper->DumpFor(pointers);
        return afterwards;
    }
    // No dump thread (it could not be made, or the process is ending): the
    // crashed thread does what it can itself.
    g_dumpThread.store(::GetCurrentThreadId());
    WriteDumpFile(nullptr, DumpPathFor(GetExePath()), false, pointers, ::GetCurrentThreadId());
    g_bDumpWritten.store(true);
    return afterwards;
}

void InstallCrashFilter(bool asPlayer) {
    static DumpThread dumper(DumpPath(asPlayer), asPlayer);
    if (dumper.running()) g_pDumpThread.store(&dumper);
    KeepWindowProcedureExceptions();
    if (asPlayer) {
        EndCrashesWithoutDialog();
        g_bEndsQuietly.store(true);
    }
    ::SetUnhandledExceptionFilter(&CrashFilter);
}
