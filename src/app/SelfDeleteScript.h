#pragma once
// The batch script that deletes the uninstalled executable once its process
// has ended (and, when nothing else lives there, the folder's files and the
// folder), then deletes itself and the folder of its own it lies in. cmd
// reads a script a line at a time as it goes: the script's folder is made
// new, for it alone, and only administrators may change anything in it.
#include <cstdint>
#include <string>

// The script's file name for a random number: "Del", eight hexadecimal
// digits, ".tmp.bat".
std::wstring SelfDeleteScriptName(uint32_t random);

// The name of the script's own folder, made in the system's temporary
// folder, for a random number: "ZuvaUninstall-" and eight hexadecimal
// digits. Every user may make folders there: a name found taken is never
// used but another drawn.
std::wstring SelfDeleteFolderName(uint32_t random);

// Whether the folder may go with the executable: `filesInFolder` counts the
// files below the executable's folder, subfolders included. A drive's root
// is never emptied, whatever the count.
bool CanRemoveExeFolder(const std::wstring& exePath, unsigned filesInFolder);

// The script's text, lines ending in CR LF. The long form also empties and
// removes the executable's folder; the short form leaves the folder alone.
// The last line deletes the script and then its folder: cmd has read the
// whole line before it runs the first command of it.
std::wstring SelfDeleteScriptText(const std::wstring& exePath, const std::wstring& scriptPath, bool removeFolder);
