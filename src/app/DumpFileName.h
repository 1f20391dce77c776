#pragma once
// Where a crash dump of the executable goes: beside it, with its extension
// replaced by ".dmp" ("C:\x\Zuva.exe" dumps into "C:\x\Zuva.dmp").
#include <string>

// Empty when the executable's file name has no extension: there is no dump
// then. A "." in a folder name is not an extension.
std::wstring DumpPathFor(const std::wstring& exePath);
