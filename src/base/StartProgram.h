#pragma once
#include <string>

#include "framework/Handles.h"

// A started process with its first thread.
struct StartedProcess {
    fw::KernelHandle process;
    fw::KernelHandle thread;
};
// Starts `commandLine` exactly as given (inheriting nothing) with the given
// creation flags and show command; both handles empty when it failed.
StartedProcess StartProcess(const std::wstring& commandLine, unsigned long creationFlags, int showCommand);
// The same with `token` (CreateProcessAsUserW); nothing is started without one.
StartedProcess StartProcessAs(HANDLE token, const std::wstring& commandLine, unsigned long creationFlags,
                              int showCommand);

// Starts a process whose command line is exactly `commandLine`, at idle
// priority, shown normally, inheriting nothing. Returns its process handle,
// empty when it could not be started.
fw::KernelHandle StartIdleProcess(const std::wstring& commandLine);

// Starts a new process at idle priority and forgets it. `commandLine` is used
// exactly as given; empty means this executable, with no arguments. A failure
// is ignored.
void StartProgram(const std::wstring& commandLine = std::wstring());
