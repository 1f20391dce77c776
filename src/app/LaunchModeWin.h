#pragma once
// The launch mode of this process, from its command line and its executable's path.
#include <string>

#include "app/LaunchMode.h"
#include "base/ProgramPaths.h"

// Decides the mode of a given command line and executable path (what
// GetLaunchMode() uses; tests call it with lines of their own).
LaunchInfo LaunchInfoOf(const wchar_t* commandLine, const std::wstring& exePath);

// This process's launch: its mode and, for the separate game windows, the
// owner its command line names. Depends on nothing but the command line and
// the executable's path, so it may be asked again.
LaunchInfo GetLaunchInfo();
