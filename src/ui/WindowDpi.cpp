#include "ui/WindowDpi.h"

#include "framework/Handles.h"

namespace {
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

// GetDpiForWindow exists from Windows 10 1607 on; earlier systems (and the
// import table of a program that must start on them) do without it.
GetDpiForWindowFn DpiForWindowFunction() {
    HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    if (!user32) return nullptr;
    return reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(::GetProcAddress(user32, "GetDpiForWindow")));
}
}  // namespace

DpiScale SystemScale() {
    fw::WindowDc screen(nullptr);
    return DpiScale(screen.get() ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : kBaseDpi);
}

DpiScale ScaleOfWindow(HWND window) {
    static const GetDpiForWindowFn dpiForWindow = DpiForWindowFunction();
    if (window && dpiForWindow) {
        const UINT dpi = dpiForWindow(window);
        if (dpi != 0) return DpiScale(static_cast<int>(dpi));
    }
    return SystemScale();
}
