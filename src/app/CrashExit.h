#pragma once
// How a crashed process leaves the screen and the system. A page's frame is
// a child of its main window: while the crashed process is held (the
// system's error reporting suspends its threads until its dialog closes),
// the main window and every other tab would wait on it. So a page process
// takes its frames out of the main window first and then ends at once,
// with no error dialog. Every process has exceptions in window procedures
// reach its filter, where a 32-bit process on 64-bit Windows might have
// them swallowed and run on, broken.
#include <windows.h>

// Exceptions thrown inside window procedures reach the unhandled-exception
// filter (SetProcessUserModeExceptionPolicy, where the system has it).
void KeepWindowProcedureExceptions();
// The system shows no error dialog for this process and does not hold it.
void EndCrashesWithoutDialog();
// Hides this process's windows in the main window (g_hOwnerWnd) and takes
// those of the calling thread out of it. Called by a crashed thread: no
// heap, and no call that waits for another thread.
void LeaveOwnerWindow();
