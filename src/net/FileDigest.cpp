#include "net/FileDigest.h"

#include "net/Md5.h"

namespace {
// Small enough for the launcher's stack, large enough that the per-call cost
// of the reader stays out of the way of the hashing.
constexpr size_t kChunk = 1024;
}  // namespace

bool Md5OfStream(const std::function<size_t(uint8_t* buf, size_t cap)>& read, std::wstring* hexOut) {
    uint8_t buf[kChunk];
    Md5 md5;
    for (;;) {
        const size_t got = read(buf, kChunk);
        if (got == 0) break;
        if (got > kChunk) return false;
        md5.Update(buf, got);
    }
    *hexOut = Md5Hex(md5.Finish());
    return true;
}
