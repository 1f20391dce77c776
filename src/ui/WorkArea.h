#pragma once
// The desktop's work area (the display less its task bars) of the display a
// window is on: where the launcher maximises, centres and puts its notice.
#include <windows.h>

// The work area of the display that holds the most of `window`, or the
// nearest display when it lies on none (a minimised window counts where it
// was before). Without a window, or when the system names no display, the
// primary display's.
RECT WorkAreaOfWindow(HWND window);
// The whole of that display, task bars included: where a window in full
// screen goes.
RECT DisplayOfWindow(HWND window);
// The same for the display that holds the most of rectangle `place` (the
// nearest when it lies on none): where a window moved there would stand.
RECT WorkAreaAt(const RECT& place);
RECT DisplayAt(const RECT& place);
