#pragma once
#include <string>

// Starts a new process at idle priority and forgets it. `commandLine` is used
// exactly as given; empty means this executable, with no arguments. A failure
// is ignored.
void StartProgram(const std::wstring& commandLine = std::wstring());
