#include "ui/Inflate.h"

#include <array>

namespace {

constexpr int kMaxBits = 15;
constexpr int kMaxLiteralCodes = 286;
constexpr int kMaxDistanceCodes = 30;
constexpr int kFixedLiteralCodes = 288;
constexpr int kCodeLengthCodes = 19;

class BitReader {
public:
    BitReader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    // The next `count` bits (at most 16), first bit lowest; false past the end.
    bool Read(int count, uint32_t* value) {
        uint32_t bits = m_bits;
        while (m_count < count) {
            if (m_pos >= m_size) return false;
            bits |= static_cast<uint32_t>(m_data[m_pos++]) << m_count;
            m_count += 8;
        }
        m_bits = bits >> count;
        m_count -= count;
        *value = bits & ((1u << count) - 1);
        return true;
    }
    // Drops what is left of the current byte.
    void Align() {
        m_bits = 0;
        m_count = 0;
    }
    const uint8_t* Take(size_t n) {
        if (n > m_size - m_pos) return nullptr;
        const uint8_t* at = m_data + m_pos;
        m_pos += n;
        return at;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
    uint32_t m_bits = 0;
    int m_count = 0;
};

class Output {
public:
    Output(uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    bool Put(uint8_t byte) {
        if (m_pos >= m_size) return false;
        m_data[m_pos++] = byte;
        return true;
    }
    bool Put(const uint8_t* bytes, size_t n) {
        if (n > m_size - m_pos) return false;
        for (size_t i = 0; i < n; ++i) m_data[m_pos++] = bytes[i];
        return true;
    }
    // `length` bytes from `distance` back; they may overlap what they make.
    bool Repeat(size_t distance, size_t length) {
        if (distance == 0 || distance > m_pos || length > m_size - m_pos) return false;
        for (size_t i = 0; i < length; ++i, ++m_pos) m_data[m_pos] = m_data[m_pos - distance];
        return true;
    }
    bool Full() const { return m_pos == m_size; }

private:
    uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

// A canonical Huffman code: how many codes of each length, and the symbols
// ordered by code.
struct Huffman {
    std::array<uint16_t, kMaxBits + 1> count{};
    std::array<uint16_t, kFixedLiteralCodes> symbol{};
};

// False when the lengths ask for more codes than the bits allow. A code
// with unused bit patterns is accepted; reading one of them fails.
bool Build(Huffman* code, const uint8_t* lengths, int n) {
    code->count.fill(0);
    for (int s = 0; s < n; ++s) ++code->count[lengths[s]];
    int left = 1;
    for (int len = 1; len <= kMaxBits; ++len) {
        left = left * 2 - code->count[len];
        if (left < 0) return false;
    }
    std::array<uint16_t, kMaxBits + 1> next{};
    for (int len = 1; len < kMaxBits; ++len) next[len + 1] = static_cast<uint16_t>(next[len] + code->count[len]);
    for (int s = 0; s < n; ++s)
        if (lengths[s]) code->symbol[next[lengths[s]]++] = static_cast<uint16_t>(s);
    return true;
}

// The next symbol, or -1 at the end of the input or on an unused code.
int Decode(BitReader& in, const Huffman& code) {
    int value = 0, first = 0, index = 0;
    for (int len = 1; len <= kMaxBits; ++len) {
        uint32_t bit = 0;
        if (!in.Read(1, &bit)) return -1;
        value |= static_cast<int>(bit);
        const int count = code.count[len];
        if (value - first < count) return code.symbol[index + value - first];
        index += count;
        first = (first + count) << 1;
        value <<= 1;
    }
    return -1;
}

constexpr uint16_t kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                      31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                      2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr uint16_t kDistanceBase[30] = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,
                                        33,  49,  65,  97,  129, 193,  257,  385,  513,  769,
                                        1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr uint8_t kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6,
                                        6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

bool Codes(BitReader& in, Output& out, const Huffman& literals, const Huffman& distances) {
    for (;;) {
        const int symbol = Decode(in, literals);
        if (symbol < 0) return false;
        if (symbol < 256) {
            if (!out.Put(static_cast<uint8_t>(symbol))) return false;
            continue;
        }
        if (symbol == 256) return true;
        const int lengthCode = symbol - 257;
        if (lengthCode >= 29) return false;
        uint32_t extra = 0;
        if (!in.Read(kLengthExtra[lengthCode], &extra)) return false;
        const size_t length = kLengthBase[lengthCode] + extra;
        const int distanceCode = Decode(in, distances);
        if (distanceCode < 0 || distanceCode >= kMaxDistanceCodes) return false;
        if (!in.Read(kDistanceExtra[distanceCode], &extra)) return false;
        if (!out.Repeat(kDistanceBase[distanceCode] + extra, length)) return false;
    }
}

bool Stored(BitReader& in, Output& out) {
    in.Align();
    const uint8_t* head = in.Take(4);
    if (!head) return false;
    const unsigned length = head[0] | head[1] << 8;
    const unsigned complement = head[2] | head[3] << 8;
    if ((length ^ 0xFFFFu) != complement) return false;
    const uint8_t* bytes = in.Take(length);
    return bytes && out.Put(bytes, length);
}

bool Fixed(BitReader& in, Output& out) {
    std::array<uint8_t, kFixedLiteralCodes> lengths{};
    for (int s = 0; s < kFixedLiteralCodes; ++s) lengths[s] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
    Huffman literals, distances;
    Build(&literals, lengths.data(), kFixedLiteralCodes);
    lengths.fill(5);
    Build(&distances, lengths.data(), kMaxDistanceCodes);
    return Codes(in, out, literals, distances);
}

bool Dynamic(BitReader& in, Output& out) {
    uint32_t literalCount = 0, distanceCount = 0, lengthCount = 0;
    if (!in.Read(5, &literalCount) || !in.Read(5, &distanceCount) || !in.Read(4, &lengthCount)) return false;
    literalCount += 257;
    distanceCount += 1;
    lengthCount += 4;
    if (literalCount > kMaxLiteralCodes || distanceCount > kMaxDistanceCodes) return false;

    static constexpr uint8_t kOrder[kCodeLengthCodes] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5,
                                                         11, 4,  12, 3, 13, 2, 14, 1, 15};
    std::array<uint8_t, kMaxLiteralCodes + kMaxDistanceCodes> lengths{};
    for (uint32_t i = 0; i < lengthCount; ++i) {
        uint32_t len = 0;
        if (!in.Read(3, &len)) return false;
        lengths[kOrder[i]] = static_cast<uint8_t>(len);
    }
    Huffman lengthCode;
    if (!Build(&lengthCode, lengths.data(), kCodeLengthCodes)) return false;

    const uint32_t total = literalCount + distanceCount;
    lengths.fill(0);
    for (uint32_t index = 0; index < total;) {
        const int symbol = Decode(in, lengthCode);
        if (symbol < 0) return false;
        if (symbol < 16) {
            lengths[index++] = static_cast<uint8_t>(symbol);
            continue;
        }
        uint8_t repeated = 0;
        uint32_t times = 0;
        if (symbol == 16) {
            if (index == 0 || !in.Read(2, &times)) return false;
            repeated = lengths[index - 1];
            times += 3;
        } else if (symbol == 17) {
            if (!in.Read(3, &times)) return false;
            times += 3;
        } else {
            if (!in.Read(7, &times)) return false;
            times += 11;
        }
        if (times > total - index) return false;
        while (times--) lengths[index++] = repeated;
    }
    if (lengths[256] == 0) return false;  // a block must be able to end

    Huffman literals, distances;
    if (!Build(&literals, lengths.data(), static_cast<int>(literalCount)) ||
        !Build(&distances, lengths.data() + literalCount, static_cast<int>(distanceCount)))
        return false;
    return Codes(in, out, literals, distances);
}

}  // namespace

bool Inflate(const uint8_t* in, size_t inSize, uint8_t* out, size_t outSize) {
    BitReader bits(in, inSize);
    Output output(out, outSize);
    uint32_t last = 0;
    do {
        uint32_t type = 0;
        if (!bits.Read(1, &last) || !bits.Read(2, &type)) return false;
        const bool ok = type == 0 ? Stored(bits, output) : type == 1 ? Fixed(bits, output)
                      : type == 2 ? Dynamic(bits, output) : false;
        if (!ok) return false;
    } while (!last);
    return output.Full();
}
