#pragma once
// The display scale a window is drawn at. With per-monitor awareness each
// window has its own DPI (its monitor's); older systems have one for all.
#include <windows.h>

#include "ui/DpiScale.h"

// The scale of `window`'s monitor where the system tells it per window,
// otherwise the screen's.
DpiScale ScaleOfWindow(HWND window);
// The screen's scale, for what has no window yet.
DpiScale SystemScale();
// Keeps the dialog manager out of `dialog`'s DPI changes: it would answer
// the size asked for at a new DPI from the dialog's template and move and
// size the children, which our own layouts place. Nothing on systems that
// do not scale dialogs.
void TurnOffDialogDpiScaling(HWND dialog);
