#pragma once
// Driving running launcher processes the way a player would: finding their
// windows, clicking page elements through the scripted page engine, and
// watching their child processes.
#include <windows.h>

#include <string>
#include <vector>

namespace wintest {

// The processes whose parent is `pid`.
std::vector<DWORD> ChildProcesses(DWORD pid);
bool ProcessRunning(DWORD pid);

// The scripted engine's window inside a top-level window (or null).
HWND FindPageEngineWindow(HWND topLevel);
// Sends a test command (see browser/ScriptedCommands.h) to the page engine
// of `topLevel`; true when it was carried out.
bool SendPageCommand(HWND topLevel, const std::wstring& command);

// Waits for `pid`'s visible "#32770" window titled "KorvelFerrowind" that
// carries a page engine (the login page's background carries none itself; its
// login page is an owned window with the engine).
HWND WaitForLoginPage(DWORD pid, DWORD ms);

// A main window's game frames: its child windows that belong to other processes.
std::vector<HWND> PageFrames(HWND mainWindow);

// Registers a caption with a main window as a login page does; true when
// the main window accepted it.
bool RegisterCaption(HWND mainWindow, const std::wstring& caption);

// Waits until `condition` holds, up to `ms`.
template <class Condition>
bool WaitUntil(Condition condition, DWORD ms) {
    const DWORD start = ::GetTickCount();
    while (!condition()) {
        if (::GetTickCount() - start > ms) return false;
        ::Sleep(25);
    }
    return true;
}

}  // namespace wintest
