#pragma once
// A page that is closing may raise a web message box of its own (an alert or
// a leave-page question while it unloads), which is modal and would hold the
// page process up for good. The frame sweeps such a box away shortly after
// each close request.
#include <windows.h>

// The captions the browser gives its web message boxes, searched in this order.
extern const wchar_t* const kWebBoxTitles[3];

// Destroys the first top-level dialog box with one of those captions. True
// when one was destroyed; only a box of the calling thread can be.
bool SweepWebMessageBox();
