#pragma once
// Tells the shell that a window covers its display. The shell otherwise
// guesses from the foreground window and its size, and may keep the taskbar
// over a window in full screen.
#include <windows.h>

// Marks `window` as in full screen or takes the mark away (the shell then
// guesses again). Nothing where the shell offers no taskbar list.
void TellTaskbarFullScreen(HWND window, bool fullScreen);
