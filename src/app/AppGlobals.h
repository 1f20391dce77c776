#pragma once
// Process-wide values of a page process, taken from its command line.
#include <windows.h>

// The main window that asked for this separate game window ("/newgm", "/gmhall").
extern HWND g_hOwnerWnd;
// How many game pages that main window held when it asked ("/newgm").
extern int g_nOwnerPages;
