#pragma once
// Paths as text: the limits and forms the launcher's paths and command lines
// take, with no platform call.
#include <cstddef>
#include <cstdint>
#include <string>

// The longest path the launcher forms: its path buffers hold 260 characters
// with the terminator. A longer path is left alone rather than cut into one
// that names something else.
constexpr size_t kMaxPathChars = 259;

// The folder below the common application-data folder where the launcher
// installs itself.
extern const wchar_t kDataSubfolder[];  // L"\\Korvel\\GameLogin"

// A file's folder: its path up to, not including, the last "\". Empty when
// the path holds no "\".
std::wstring FolderOfPath(const std::wstring& path);

// An executable's path as the start of a command line: quoted when it holds a
// blank, so that the arguments after it stay where the child looks for them.
std::wstring CommandLineProgram(const std::wstring& exePath);

// A number as eight upper-case hexadecimal digits, for names drawn at random.
std::wstring EightHexDigits(uint32_t number);
