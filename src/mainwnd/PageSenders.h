#pragma once
// What the main window takes from its pages' processes. The main window runs
// elevated and its pages with the player's rights: the system hands it only
// the messages it lets through from below, and it lets through exactly those
// its pages send (their frame's attach, the caption and screenshot records,
// an abandoned login's close, the keys a page passes on, a zoom request).
// Each is still checked when it comes: any program of the player's may send
// them too.
#include <windows.h>

#include <cstdint>

// Lets the pages' messages through to `mainWindow` alone (and on a system
// without a filter per window, to this process).
void AllowMessagesFromPages(HWND mainWindow);

// Whether process `processId` runs this very executable, as the game hall,
// started by another program of the portal, does.
bool RunsThisExecutable(uint32_t processId);

// The scripted build's tests pose as pages from their own process (named by
// ZUVA_TEST_STAND_IN_PAGES in the environment): that process's windows are
// taken as pages without a login of their own. Zuva.exe never does.
uint32_t TestStandInProcess();
