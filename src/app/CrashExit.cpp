#include "app/CrashExit.h"

#include "base/PageProcess.h"
#include "framework/SystemLibrary.h"

namespace {
// Not in every SDK's headers, and not on every system: looked up at run time.
constexpr DWORD kCallbackFilterEnabled = 0x1;  // PROCESS_CALLBACK_FILTER_ENABLED
constexpr DWORD kWerNoUi = 0x20;               // WER_FAULT_REPORTING_NO_UI
using GetPolicyFn = BOOL(WINAPI*)(LPDWORD);
using SetPolicyFn = BOOL(WINAPI*)(DWORD);
using WerSetFlagsFn = HRESULT(WINAPI*)(DWORD);

template <class Fn>
Fn Kernel32(const char* name) {
    return fw::FindFunction<Fn>(::GetModuleHandleW(L"kernel32.dll"), name);
}

BOOL CALLBACK LeaveIfOurs(HWND window, LPARAM owner) {
    DWORD process = 0;
    const DWORD thread = ::GetWindowThreadProcessId(window, &process);
    if (process != ::GetCurrentProcessId() || ::GetAncestor(window, GA_PARENT) != reinterpret_cast<HWND>(owner))
        return TRUE;
    if (thread == ::GetCurrentThreadId()) {
        ::ShowWindow(window, SW_HIDE);
        ::SetParent(window, nullptr);
    } else {
        // Another thread of ours may be the one held: only asked.
        ::ShowWindowAsync(window, SW_HIDE);
    }
    return TRUE;
}
}  // namespace

void KeepWindowProcedureExceptions() {
    const auto get = Kernel32<GetPolicyFn>("GetProcessUserModeExceptionPolicy");
    const auto set = Kernel32<SetPolicyFn>("SetProcessUserModeExceptionPolicy");
    DWORD flags = 0;
    if (get && set && get(&flags)) set(flags & ~kCallbackFilterEnabled);
}

void EndCrashesWithoutDialog() {
    // Read by setting (GetErrorMode is newer than some systems we run on).
    const UINT mode = ::SetErrorMode(0);
    ::SetErrorMode(mode | SEM_NOGPFAULTERRORBOX);
    if (const auto werSetFlags = Kernel32<WerSetFlagsFn>("WerSetFlags")) werSetFlags(kWerNoUi);
}

void LeaveOwnerWindow() {
    const HWND owner = g_hOwnerWnd;
    if (owner && ::IsWindow(owner)) ::EnumChildWindows(owner, &LeaveIfOurs, reinterpret_cast<LPARAM>(owner));
}
