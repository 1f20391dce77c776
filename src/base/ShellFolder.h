#pragma once
// The system's special folders (desktop, start menu, application data, ...).
#include <string>

// The folder a CSIDL_* value names, without a trailing "\"; empty when the
// shell does not say.
std::wstring ShellFolderPath(int csidl);
