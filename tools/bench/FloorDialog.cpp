// The floor of the start-up benchmark: the smallest dialog program, built the
// same way as the launcher (mingw, static, same manifest), that shows one
// dialog and ends when it is closed.
//
// Two switches add, before the dialog shows, work that the launcher's
// processes cannot leave out and that Wine charges memory for, so that the
// memory figures can also be set beside a floor that does the same:
//   /worker  runs one worker thread to its end (the main process sends its
//            usage pings from one, and a page's engine fetches on others;
//            Wine commits about 1 MB for a process's first extra thread,
//            whatever it runs, and keeps it)
//   /mixer   opens and closes the audio mixer once (a page applies its first
//            mute state through the mixer, which loads the audio driver)
#include <windows.h>
#include <mmsystem.h>

#include <cwchar>

namespace {
DWORD WINAPI Worker(LPVOID) { return 0; }

void RunOneWorker() {
    HANDLE worker = ::CreateThread(nullptr, 0, &Worker, nullptr, 0, nullptr);
    if (!worker) return;
    ::WaitForSingleObject(worker, INFINITE);
    ::CloseHandle(worker);
}

// Through LoadLibrary, so that the plain floor imports nothing more.
void OpenMixerOnce() {
    HMODULE winmm = ::LoadLibraryW(L"winmm.dll");
    if (!winmm) return;
    using Open = MMRESULT(WINAPI*)(LPHMIXER, UINT, DWORD_PTR, DWORD_PTR, DWORD);
    using Close = MMRESULT(WINAPI*)(HMIXER);
    const auto open = reinterpret_cast<Open>(reinterpret_cast<void*>(::GetProcAddress(winmm, "mixerOpen")));
    const auto close = reinterpret_cast<Close>(reinterpret_cast<void*>(::GetProcAddress(winmm, "mixerClose")));
    HMIXER mixer = nullptr;
    if (open && close && open(&mixer, 0, 0, 0, MIXER_OBJECTF_MIXER) == MMSYSERR_NOERROR) close(mixer);
}

INT_PTR CALLBACK FloorProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM) {
    if (msg == WM_INITDIALOG) {
        SetWindowTextW(hwnd, L"ZuvaBenchFloor");
        return TRUE;
    }
    if (msg == WM_COMMAND && LOWORD(wp) == IDCANCEL) {
        EndDialog(hwnd, 0);
        return TRUE;
    }
    return FALSE;
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int) {
    if (std::wcsstr(commandLine, L"/worker")) RunOneWorker();
    if (std::wcsstr(commandLine, L"/mixer")) OpenMixerOnce();
    DialogBoxParamW(instance, MAKEINTRESOURCEW(102), nullptr, FloorProc, 0);
    return 0;
}
