#include "mainwnd/MessageFilter.h"

#include "framework/SystemLibrary.h"

void LetMessageThrough(HWND window, UINT message) {
    const HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    using PerWindow = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
    using PerProcess = BOOL(WINAPI*)(UINT, DWORD);
    const auto perWindow = fw::FindFunction<PerWindow>(user32, "ChangeWindowMessageFilterEx");
    if (perWindow) {
        perWindow(window, message, MSGFLT_ALLOW, nullptr);
        return;
    }
    const auto perProcess = fw::FindFunction<PerProcess>(user32, "ChangeWindowMessageFilter");
    if (perProcess) perProcess(message, MSGFLT_ADD);
}
