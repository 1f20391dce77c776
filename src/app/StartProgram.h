#pragma once
#include <string>

#include "framework/Handles.h"

// Starts a process whose command line is exactly `commandLine`, at idle
// priority, shown normally, inheriting nothing. Returns its process handle,
// empty when it could not be started.
fw::KernelHandle StartIdleProcess(const std::wstring& commandLine);

// Starts a new process at idle priority and forgets it. `commandLine` is used
// exactly as given; empty means this executable, with no arguments. A failure
// is ignored.
void StartProgram(const std::wstring& commandLine = std::wstring());
