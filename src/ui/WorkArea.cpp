#include "ui/WorkArea.h"

#include <optional>

namespace {
RECT PrimaryWorkArea() {
    RECT rc{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rc, 0);
    return rc;
}

std::optional<MONITORINFO> DisplayInfoOf(HWND window) {
    if (!window) return std::nullopt;
    // Monitor handles are no resources: nothing to release.
    HMONITOR monitor = ::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!monitor || !::GetMonitorInfoW(monitor, &info)) return std::nullopt;
    return info;
}
}  // namespace

RECT WorkAreaOfWindow(HWND window) {
    const std::optional<MONITORINFO> info = DisplayInfoOf(window);
    return info ? info->rcWork : PrimaryWorkArea();
}

RECT DisplayOfWindow(HWND window) {
    const std::optional<MONITORINFO> info = DisplayInfoOf(window);
    if (info) return info->rcMonitor;
    return RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}
