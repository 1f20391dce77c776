#pragma once
// The batch script that deletes the uninstalled executable once its process
// has ended (and, when nothing else lives there, the folder's files and the
// folder), then deletes itself.
#include <cstdint>
#include <string>

// The script's file name in the temporary folder for a random number:
// "Del", eight hexadecimal digits, ".tmp.bat". Names of four digits could all
// be taken beforehand.
std::wstring SelfDeleteScriptName(uint32_t random);

// Whether the folder may go with the executable: `filesInFolder` counts the
// files below the executable's folder, subfolders included. A drive's root
// is never emptied, whatever the count.
bool CanRemoveExeFolder(const std::wstring& exePath, unsigned filesInFolder);

// The script's text, lines ending in CR LF. The long form also empties and
// removes the executable's folder; the short form leaves the folder alone.
std::wstring SelfDeleteScriptText(const std::wstring& exePath, const std::wstring& scriptPath, bool removeFolder);
