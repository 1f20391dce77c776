#pragma once
// Where the launcher lives: its own executable and its data folder.
#include <string>

// The data folder: the common application-data folder + "\Korvel\GameLogin".
std::wstring GetDataFolder();
// The running executable's full path.
std::wstring GetExePath();
