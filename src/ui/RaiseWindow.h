#pragma once
// Raising a window above the others past the system's foreground lock,
// which lets only the foreground thread hand over the foreground: the
// window's thread shares the foreground thread's input state for a moment.
#include <windows.h>

// Puts `window` at the top of the z-order (through topmost and back);
// with `activate`, also makes it the foreground window.
void RaiseAboveOthers(HWND window, bool activate);
