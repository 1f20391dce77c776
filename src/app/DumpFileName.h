#pragma once
// Where a crash dump of the executable goes: beside it, with its extension
// replaced by ".dmp" ("C:\x\Zuva.exe" dumps into "C:\x\Zuva.dmp").
#include <string>

// Empty when the executable's file name has no extension: there is no dump
// then. A "." in a folder name is not an extension.
std::wstring DumpPathFor(const std::wstring& exePath);

// Where a process that runs with the player's rights, and may not write
// beside the executable, puts its dump: below the player's own local
// application data `localAppData`, in "Korvel\GameLogin", named as beside
// the executable. Empty when DumpPathFor is, or without that folder.
std::wstring PlayerDumpPathFor(const std::wstring& localAppData, const std::wstring& exePath);
