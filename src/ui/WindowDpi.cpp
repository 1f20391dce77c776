#include "ui/WindowDpi.h"

#include "framework/Handles.h"
#include "framework/SystemLibrary.h"

namespace {
// A function of user32 that only newer systems have (and that the import
// table of a program that must start on older ones cannot name).
template <class Fn>
Fn User32Function(const char* name) {
    return fw::FindFunction<Fn>(::GetModuleHandleW(L"user32.dll"), name);
}

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);  // Windows 10 1607 on
using SetDialogDpiChangeBehaviorFn = BOOL(WINAPI*)(HWND, DIALOG_DPI_CHANGE_BEHAVIORS,
                                                   DIALOG_DPI_CHANGE_BEHAVIORS);  // 1703 on
}  // namespace

DpiScale SystemScale() {
    fw::WindowDc screen(nullptr);
    return DpiScale(screen.get() ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : kBaseDpi);
}

DpiScale ScaleOfWindow(HWND window) {
    static const GetDpiForWindowFn dpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
    if (window && dpiForWindow) {
        const UINT dpi = dpiForWindow(window);
        if (dpi != 0) return DpiScale(static_cast<int>(dpi));
    }
    return SystemScale();
}

void TurnOffDialogDpiScaling(HWND dialog) {
    static const SetDialogDpiChangeBehaviorFn setBehaviour =
        User32Function<SetDialogDpiChangeBehaviorFn>("SetDialogDpiChangeBehavior");
    if (setBehaviour) setBehaviour(dialog, DDC_DISABLE_ALL, DDC_DISABLE_ALL);
}
