#pragma once
// SHA-256 digests, by which a build names the public key of the certificate
// its publisher signs with.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "net/MessageBlocks.h"

using Sha256Digest = std::array<uint8_t, 32>;

// Fed in pieces of any size; the digest does not depend on how the message
// was cut up.
class Sha256 {
public:
    Sha256() { Reset(); }

    void Update(const void* data, size_t len);

    // Pads and closes the message. The object then starts over on a new,
    // empty message.
    Sha256Digest Finish();

private:
    void Reset();
    void Compress(const uint8_t* blocks, size_t count);

    uint32_t state_[8];
    MessageBlocks blocks_;
};

// 64 lowercase hex digits: the digest of `message` in the form a build
// names a key in.
std::string Sha256Hex(const std::string& message);
