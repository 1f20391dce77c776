// Stand-ins for a build the portal publishes, for the self-update tests:
// ZUVA_NEWBUILD_CRASH crashes as it starts, as a broken build would;
// ZUVA_NEWBUILD_QUIET ends at once with 0 and shows nothing, as a build does
// that installed itself elsewhere and started from there.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
#ifdef ZUVA_NEWBUILD_CRASH
    *static_cast<volatile int*>(nullptr) = 1;
#endif
    return 0;
}
