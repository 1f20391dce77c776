#pragma once
// The framing MD5 and SHA-256 share: a message fed in pieces of any size
// reaches the compression function in whole 64-byte blocks, and is closed
// by a 0x80 byte, zeros, and the message's length in bits in the last 8
// bytes of the last block (each digest writes it in its own byte order).
#include <cstddef>
#include <cstdint>
#include <cstring>

class MessageBlocks {
public:
    // `compress(blocks, count)` takes whole blocks.
    template <class Compress>
    void Feed(const void* data, size_t len, Compress&& compress) {
        if (len == 0) return;  // data may then be null, which memcpy must not see
        auto* in = static_cast<const uint8_t*>(data);
        m_totalBytes += len;
        if (m_pendingLen > 0) {
            const size_t take = len < kBlock - m_pendingLen ? len : kBlock - m_pendingLen;
            std::memcpy(m_pending + m_pendingLen, in, take);
            m_pendingLen += take;
            in += take;
            len -= take;
            if (m_pendingLen < kBlock) return;
            compress(m_pending, 1);
            m_pendingLen = 0;
        }
        // Whole blocks straight from the caller's buffer, without a copy.
        const size_t whole = len / kBlock;
        if (whole > 0) {
            compress(in, whole);
            in += whole * kBlock;
            len -= whole * kBlock;
        }
        if (len > 0) {
            std::memcpy(m_pending, in, len);
            m_pendingLen = len;
        }
    }

    // Pads and closes the message; `writeLength(at, bits)` puts the 8 length
    // bytes. The blocks then start over on a new, empty message.
    template <class Compress, class WriteLength>
    void Close(Compress&& compress, WriteLength&& writeLength) {
        // The length counts bits and wraps at 2^64, as both algorithms define it.
        const uint64_t bits = m_totalBytes << 3;
        uint8_t tail[2 * kBlock] = {0x80};
        // One 0x80 byte and the 8 length bytes must fit after the pending bytes.
        const size_t padLen = (m_pendingLen < kBlock - 8 ? kBlock - 8 : 2 * kBlock - 8) - m_pendingLen;
        writeLength(tail + padLen, bits);
        Feed(tail, padLen + 8, compress);
        m_totalBytes = 0;
        m_pendingLen = 0;
    }

private:
    static constexpr size_t kBlock = 64;
    uint64_t m_totalBytes = 0;
    uint8_t m_pending[kBlock] = {};  // the start of a block not yet complete
    size_t m_pendingLen = 0;
};
