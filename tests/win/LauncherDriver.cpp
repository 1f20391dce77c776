#include "LauncherDriver.h"

#include <tlhelp32.h>

#include "browser/ScriptedCommands.h"
#include "framework/Handles.h"

namespace wintest {

std::vector<DWORD> ChildProcesses(DWORD pid) {
    std::vector<DWORD> children;
    fw::KernelHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return children;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more; more = ::Process32NextW(snapshot.get(), &entry))
        if (entry.th32ParentProcessID == pid) children.push_back(entry.th32ProcessID);
    return children;
}

bool ProcessRunning(DWORD pid) {
    fw::KernelHandle process(::OpenProcess(SYNCHRONIZE, FALSE, pid));
    return process && ::WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT;
}

namespace {
BOOL CALLBACK FindEngine(HWND child, LPARAM lp) {
    wchar_t cls[64] = {};
    ::GetClassNameW(child, cls, 64);
    if (wcscmp(cls, kScriptedEngineClass) == 0) {
        *reinterpret_cast<HWND*>(lp) = child;
        return FALSE;
    }
    return TRUE;
}

struct OwnedSearch {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindLoginPage(HWND hwnd, LPARAM lp) {
    auto* s = reinterpret_cast<OwnedSearch*>(lp);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (pid != s->pid || !::IsWindowVisible(hwnd)) return TRUE;
    if (FindPageEngineWindow(hwnd)) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

struct FrameSearch {
    HWND main;
    DWORD mainPid;
    std::vector<HWND> frames;
};

BOOL CALLBACK CollectFrames(HWND child, LPARAM lp) {
    auto* s = reinterpret_cast<FrameSearch*>(lp);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(child, &pid);
    // GetParent names the owner of a window without WS_CHILD; the frames are
    // re-parented top-level windows, so ask for the parent itself.
    if (::GetAncestor(child, GA_PARENT) == s->main && pid != s->mainPid) s->frames.push_back(child);
    return TRUE;
}
}  // namespace

HWND FindPageEngineWindow(HWND topLevel) {
    HWND found = nullptr;
    ::EnumChildWindows(topLevel, &FindEngine, reinterpret_cast<LPARAM>(&found));
    return found;
}

bool SendPageCommand(HWND topLevel, const std::wstring& command) {
    HWND engine = FindPageEngineWindow(topLevel);
    if (!engine) return false;
    std::wstring text = command;
    COPYDATASTRUCT cds{};
    cds.dwData = kScriptedCommandTag;
    cds.cbData = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    cds.lpData = &text[0];
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutW(engine, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds), SMTO_ABORTIFHUNG, 10000,
                               &result))
        return false;
    return result == 1;
}

HWND WaitForLoginPage(DWORD pid, DWORD ms) {
    HWND page = nullptr;
    WaitUntil(
        [&] {
            OwnedSearch s{pid, nullptr};
            ::EnumWindows(&FindLoginPage, reinterpret_cast<LPARAM>(&s));
            page = s.found;
            return page != nullptr;
        },
        ms);
    return page;
}

std::vector<HWND> PageFrames(HWND mainWindow) {
    FrameSearch s{mainWindow, 0, {}};
    ::GetWindowThreadProcessId(mainWindow, &s.mainPid);
    ::EnumChildWindows(mainWindow, &CollectFrames, reinterpret_cast<LPARAM>(&s));
    return s.frames;
}

bool RegisterCaption(HWND mainWindow, const std::wstring& caption) {
    std::wstring text = caption;
    COPYDATASTRUCT cds{};
    cds.cbData = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    cds.lpData = &text[0];
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(mainWindow, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds), SMTO_ABORTIFHUNG, 5000, &result);
    return result == 1;
}

}  // namespace wintest
