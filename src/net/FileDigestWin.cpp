#include <cstdio>
#include <memory>

#include "net/FileDigest.h"

namespace {
struct FileCloser {
    void operator()(FILE* f) const { fclose(f); }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;
}  // namespace

bool FileMd5Hex(const std::wstring& path, std::wstring* hexOut) {
    FilePtr file(_wfopen(path.c_str(), L"rb"));
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
