#include "net/FileDigest.h"

#include <cstdio>

#include "framework/Handles.h"

bool FileMd5Hex(const std::wstring& path, std::wstring* hexOut) {
    fw::StdioFile file(_wfopen(path.c_str(), L"rb"));
    if (!file) return false;
    std::wstring hex;
    const bool ok = Md5OfStream(
        [&file](uint8_t* buf, size_t cap) { return fread(buf, 1, cap, file.get()); }, &hex);
    // fread gives 0 both at the end and on a failed read; only the latter
    // must not pass for the digest of a shorter file.
    if (!ok || ferror(file.get())) return false;
    *hexOut = hex;
    return true;
}
