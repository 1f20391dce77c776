// Stand-ins for a build the portal publishes, for the self-update tests:
// ZUVA_NEWBUILD_CRASH crashes as it starts, as a broken build would;
// ZUVA_NEWBUILD_LATECRASH shows a window and crashes a second later;
// ZUVA_NEWBUILD_QUIET ends at once with 0 and shows nothing, as a build does
// that installed itself elsewhere and started from there.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
#ifdef ZUVA_NEWBUILD_LATECRASH
    HWND window = ::CreateWindowExW(0, L"STATIC", L"KorvelFerrowind", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                    nullptr, nullptr, nullptr, nullptr);
    for (const DWORD until = ::GetTickCount() + 1000; window && ::GetTickCount() < until;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
        ::Sleep(20);
    }
#endif
#if defined(ZUVA_NEWBUILD_CRASH) || defined(ZUVA_NEWBUILD_LATECRASH)
    *static_cast<volatile int*>(nullptr) = 1;
#endif
    return 0;
}
