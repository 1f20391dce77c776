#pragma once
// The main window runs elevated: the system hands it a message from a
// process with fewer rights (its pages, the desktop's shell) only when the
// window lets that message through.
#include <windows.h>

// Lets `message` through to `window` alone where the system filters per
// window (Windows 7 on), to this whole process where it filters per process
// (Vista); earlier systems filter nothing. Looked up, as the executable
// starts on all of them.
void LetMessageThrough(HWND window, UINT message);
