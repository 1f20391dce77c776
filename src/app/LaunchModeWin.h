#pragma once
// The launch mode of this process, from its command line and its executable's path.
#include <string>

#include "app/LaunchMode.h"
#include "base/ProgramPaths.h"

// Decides the mode of a given command line and executable path (what
// GetLaunchMode() uses; tests call it with lines of their own).
LaunchInfo LaunchInfoOf(const wchar_t* commandLine, const std::wstring& exePath);

// The mode of this process. In modes 6 and 7 it also sets g_hOwnerWnd (and,
// in mode 6, g_nOwnerPages). Depends on nothing but the command line and the
// executable's path, so it may be asked again.
LaunchMode GetLaunchMode();
