#pragma once
// MD5 digests, to tell whether a file on disk is the one the server has.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "net/MessageBlocks.h"

using Md5Digest = std::array<uint8_t, 16>;

// Fed in pieces of any size; the digest does not depend on how the message
// was cut up.
class Md5 {
public:
    Md5() { Reset(); }

    void Update(const void* data, size_t len);

    // Pads and closes the message. The object then starts over on a new,
    // empty message.
    Md5Digest Finish();

private:
    void Reset();
    void Compress(const uint8_t* blocks, size_t count);

    uint32_t state_[4];
    MessageBlocks blocks_;
};

// 32 lowercase hex digits, the textual form digests are compared in.
std::wstring Md5Hex(const Md5Digest& digest);
