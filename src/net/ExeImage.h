#pragma once
// Whether a downloaded file can stand in for the running executable: a
// Windows executable image whose sections all lie within the file. It keeps
// a garbage or cut-off answer that merely reached its announced length from
// replacing a working launcher.
#include <cstdint>
#include <string>

// How many leading bytes of the file the check needs at most.
constexpr size_t kExeHeadBytes = 4096;

// `head`: the file's first bytes (up to kExeHeadBytes, fewer when the file
// is shorter); `fileSize`: the whole file's length.
bool IsWholeExeImage(const std::string& head, uint64_t fileSize);
