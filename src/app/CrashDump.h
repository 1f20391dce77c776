#pragma once
// One minidump per process, beside the executable, when an exception reaches
// the top of a thread unhandled; the system's own crash handling follows in
// the main process. The
// dump is a file made new that only administrators may open, written by a
// thread of its own while the crashed thread waits. A process that runs with
// the player's rights may not write beside the executable: its dump goes to
// the player's local application data, the player's own.
#include <windows.h>

// The unhandled-exception filter. Writes the dump and lets the search go on
// (EXCEPTION_CONTINUE_SEARCH); once a dump was written (or is being written
// by another thread) it ends the handling at once (EXCEPTION_EXECUTE_HANDLER)
// without a second one. An executable without an extension gets no dump.
// A process with the player's rights first takes its frames out of the main
// window, and ends after its dump (EXCEPTION_EXECUTE_HANDLER) instead of
// being held by the system's error reporting (app/CrashExit.h).
LONG WINAPI CrashFilter(EXCEPTION_POINTERS* pointers);

// Writes a dump of this process into an open file, through the debugging
// library looked up at run time, trying the richest kind first; `pointers`
// is an exception of thread `threadId`. Without exception pointers the dump
// shows the caller's own point. True when one kind was written.
bool WriteDump(HANDLE file, EXCEPTION_POINTERS* pointers, DWORD threadId = ::GetCurrentThreadId());

// Starts the dump thread and makes CrashFilter the process's
// unhandled-exception filter; `asPlayer` for a process with the player's rights.
void InstallCrashFilter(bool asPlayer = false);
