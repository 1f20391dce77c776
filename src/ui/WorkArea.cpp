#include "ui/WorkArea.h"

#include <optional>

namespace {
RECT PrimaryWorkArea() {
    RECT rc{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rc, 0);
    return rc;
}

RECT PrimaryDisplay() { return RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)}; }

// Monitor handles are no resources: nothing to release.
std::optional<MONITORINFO> InfoOf(HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!monitor || !::GetMonitorInfoW(monitor, &info)) return std::nullopt;
    return info;
}

std::optional<MONITORINFO> DisplayInfoOf(HWND window) {
    if (!window) return std::nullopt;
    return InfoOf(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}
}  // namespace

RECT WorkAreaOfWindow(HWND window) {
    const std::optional<MONITORINFO> info = DisplayInfoOf(window);
    return info ? info->rcWork : PrimaryWorkArea();
}

RECT DisplayOfWindow(HWND window) {
    const std::optional<MONITORINFO> info = DisplayInfoOf(window);
    return info ? info->rcMonitor : PrimaryDisplay();
}

RECT WorkAreaAt(const RECT& place) {
    const std::optional<MONITORINFO> info = InfoOf(::MonitorFromRect(&place, MONITOR_DEFAULTTONEAREST));
    return info ? info->rcWork : PrimaryWorkArea();
}

RECT DisplayAt(const RECT& place) {
    const std::optional<MONITORINFO> info = InfoOf(::MonitorFromRect(&place, MONITOR_DEFAULTTONEAREST));
    return info ? info->rcMonitor : PrimaryDisplay();
}
