#pragma once
// The digest of a file, read a small piece at a time so that even the
// largest game archive never sits whole in memory.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

// read fills at most cap bytes of buf and returns how many it filled; 0 ends
// the data. Returns false, leaving *hexOut alone, if read claims more than it
// was given room for.
bool Md5OfStream(const std::function<size_t(uint8_t* buf, size_t cap)>& read, std::wstring* hexOut);

#ifdef _WIN32
// False, leaving *hexOut alone, when the file cannot be opened or read.
bool FileMd5Hex(const std::wstring& path, std::wstring* hexOut);
#endif
