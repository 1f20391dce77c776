// A stand-in for a system DLL, planted beside the launcher under its name.
// Loaded, it leaves a mark named after itself in the temporary folder
// ("zuva-planted-WINMM.DLL.mark") and refuses to load: nothing of it runs on.
#include <windows.h>

#include <cwchar>

#include "framework/Handles.h"

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    wchar_t path[MAX_PATH] = {}, mark[2 * MAX_PATH] = {};
    ::GetModuleFileNameW(self, path, MAX_PATH);
    ::GetTempPathW(MAX_PATH, mark);
    const wchar_t* name = std::wcsrchr(path, L'\\');
    ::lstrcatW(::lstrcatW(::lstrcatW(mark, L"zuva-planted-"), name ? name + 1 : path), L".mark");
    const fw::FileHandle made(::CreateFileW(mark, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    return FALSE;
}
