#include "ui/WorkArea.h"

namespace {
RECT PrimaryWorkArea() {
    RECT rc{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rc, 0);
    return rc;
}
}  // namespace

RECT WorkAreaOfWindow(HWND window) {
    if (!window) return PrimaryWorkArea();
    // Monitor handles are no resources: nothing to release.
    HMONITOR monitor = ::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!monitor || !::GetMonitorInfoW(monitor, &info)) return PrimaryWorkArea();
    return info.rcWork;
}
