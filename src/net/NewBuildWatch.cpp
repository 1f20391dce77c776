#include "net/NewBuildWatch.h"

namespace {
const DWORD kPollMs = 50;

struct WindowSearch {
    DWORD pid;
    bool found;
};

BOOL CALLBACK FindShownWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    if (pid == search->pid && ::IsWindowVisible(window)) {
        search->found = true;
        return FALSE;
    }
    return TRUE;
}

bool ShowsTopLevelWindow(DWORD pid) {
    WindowSearch search{pid, false};
    ::EnumWindows(&FindShownWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
}  // namespace

NewBuildStart WatchNewBuild(HANDLE process, DWORD limitMs) {
    if (!process) return NewBuildStart::Failed;
    const DWORD pid = ::GetProcessId(process);
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (ShowsTopLevelWindow(pid)) return NewBuildStart::Started;
        if (::WaitForSingleObject(process, kPollMs) == WAIT_OBJECT_0) {
            DWORD code = 1;
            ::GetExitCodeProcess(process, &code);
            return code == 0 ? NewBuildStart::Started : NewBuildStart::Failed;
        }
        if (::GetTickCount() - start >= limitMs) return NewBuildStart::Started;
    }
}
