#include "net/Md5.h"

namespace {
inline uint32_t LoadLe32(const uint8_t* p) {
    // Byte by byte so that the result is the same on any host; compilers
    // turn this into a single load where the host is little-endian.
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

inline void StoreLe32(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}

inline uint32_t Rotl(uint32_t v, int s) { return (v << s) | (v >> (32 - s)); }
}  // namespace

void Md5::Reset() {
    state_[0] = 0x67452301;
    state_[1] = 0xefcdab89;
    state_[2] = 0x98badcfe;
    state_[3] = 0x10325476;
}

// The four round functions, written with fewer operations than their
// textbook forms (F and G as bit selects); the results are identical.
#define MD5_F(x, y, z) ((z) ^ ((x) & ((y) ^ (z))))
#define MD5_G(x, y, z) ((y) ^ ((z) & ((x) ^ (y))))
#define MD5_H(x, y, z) ((x) ^ (y) ^ (z))
#define MD5_I(x, y, z) ((y) ^ ((x) | ~(z)))
#define MD5_STEP(f, a, b, c, d, m, t, s) \
    a += MD5_##f(b, c, d) + (m) + (t);    \
    a = Rotl(a, s) + (b)

// Written out step by step: with every message index, constant and shift a
// literal, the whole block stays in registers.
void Md5::Compress(const uint8_t* blocks, size_t count) {
    uint32_t a = state_[0], b = state_[1], c = state_[2], d = state_[3];
    for (; count > 0; --count, blocks += 64) {
        uint32_t x[16];
        for (int i = 0; i < 16; ++i) x[i] = LoadLe32(blocks + 4 * i);
        const uint32_t a0 = a, b0 = b, c0 = c, d0 = d;

        MD5_STEP(F, a, b, c, d, x[ 0], 0xd76aa478,  7);
        MD5_STEP(F, d, a, b, c, x[ 1], 0xe8c7b756, 12);
        MD5_STEP(F, c, d, a, b, x[ 2], 0x242070db, 17);
        MD5_STEP(F, b, c, d, a, x[ 3], 0xc1bdceee, 22);
        MD5_STEP(F, a, b, c, d, x[ 4], 0xf57c0faf,  7);
        MD5_STEP(F, d, a, b, c, x[ 5], 0x4787c62a, 12);
        MD5_STEP(F, c, d, a, b, x[ 6], 0xa8304613, 17);
        MD5_STEP(F, b, c, d, a, x[ 7], 0xfd469501, 22);
        MD5_STEP(F, a, b, c, d, x[ 8], 0x698098d8,  7);
        MD5_STEP(F, d, a, b, c, x[ 9], 0x8b44f7af, 12);
        MD5_STEP(F, c, d, a, b, x[10], 0xffff5bb1, 17);
        MD5_STEP(F, b, c, d, a, x[11], 0x895cd7be, 22);
        MD5_STEP(F, a, b, c, d, x[12], 0x6b901122,  7);
        MD5_STEP(F, d, a, b, c, x[13], 0xfd987193, 12);
        MD5_STEP(F, c, d, a, b, x[14], 0xa679438e, 17);
        MD5_STEP(F, b, c, d, a, x[15], 0x49b40821, 22);

        MD5_STEP(G, a, b, c, d, x[ 1], 0xf61e2562,  5);
        MD5_STEP(G, d, a, b, c, x[ 6], 0xc040b340,  9);
        MD5_STEP(G, c, d, a, b, x[11], 0x265e5a51, 14);
        MD5_STEP(G, b, c, d, a, x[ 0], 0xe9b6c7aa, 20);
        MD5_STEP(G, a, b, c, d, x[ 5], 0xd62f105d,  5);
        MD5_STEP(G, d, a, b, c, x[10], 0x02441453,  9);
        MD5_STEP(G, c, d, a, b, x[15], 0xd8a1e681, 14);
        MD5_STEP(G, b, c, d, a, x[ 4], 0xe7d3fbc8, 20);
        MD5_STEP(G, a, b, c, d, x[ 9], 0x21e1cde6,  5);
        MD5_STEP(G, d, a, b, c, x[14], 0xc33707d6,  9);
        MD5_STEP(G, c, d, a, b, x[ 3], 0xf4d50d87, 14);
        MD5_STEP(G, b, c, d, a, x[ 8], 0x455a14ed, 20);
        MD5_STEP(G, a, b, c, d, x[13], 0xa9e3e905,  5);
        MD5_STEP(G, d, a, b, c, x[ 2], 0xfcefa3f8,  9);
        MD5_STEP(G, c, d, a, b, x[ 7], 0x676f02d9, 14);
        MD5_STEP(G, b, c, d, a, x[12], 0x8d2a4c8a, 20);

        MD5_STEP(H, a, b, c, d, x[ 5], 0xfffa3942,  4);
        MD5_STEP(H, d, a, b, c, x[ 8], 0x8771f681, 11);
        MD5_STEP(H, c, d, a, b, x[11], 0x6d9d6122, 16);
        MD5_STEP(H, b, c, d, a, x[14], 0xfde5380c, 23);
        MD5_STEP(H, a, b, c, d, x[ 1], 0xa4beea44,  4);
        MD5_STEP(H, d, a, b, c, x[ 4], 0x4bdecfa9, 11);
        MD5_STEP(H, c, d, a, b, x[ 7], 0xf6bb4b60, 16);
        MD5_STEP(H, b, c, d, a, x[10], 0xbebfbc70, 23);
        MD5_STEP(H, a, b, c, d, x[13], 0x289b7ec6,  4);
        MD5_STEP(H, d, a, b, c, x[ 0], 0xeaa127fa, 11);
        MD5_STEP(H, c, d, a, b, x[ 3], 0xd4ef3085, 16);
        MD5_STEP(H, b, c, d, a, x[ 6], 0x04881d05, 23);
        MD5_STEP(H, a, b, c, d, x[ 9], 0xd9d4d039,  4);
        MD5_STEP(H, d, a, b, c, x[12], 0xe6db99e5, 11);
        MD5_STEP(H, c, d, a, b, x[15], 0x1fa27cf8, 16);
        MD5_STEP(H, b, c, d, a, x[ 2], 0xc4ac5665, 23);

        MD5_STEP(I, a, b, c, d, x[ 0], 0xf4292244,  6);
        MD5_STEP(I, d, a, b, c, x[ 7], 0x432aff97, 10);
        MD5_STEP(I, c, d, a, b, x[14], 0xab9423a7, 15);
        MD5_STEP(I, b, c, d, a, x[ 5], 0xfc93a039, 21);
        MD5_STEP(I, a, b, c, d, x[12], 0x655b59c3,  6);
        MD5_STEP(I, d, a, b, c, x[ 3], 0x8f0ccc92, 10);
        MD5_STEP(I, c, d, a, b, x[10], 0xffeff47d, 15);
        MD5_STEP(I, b, c, d, a, x[ 1], 0x85845dd1, 21);
        MD5_STEP(I, a, b, c, d, x[ 8], 0x6fa87e4f,  6);
        MD5_STEP(I, d, a, b, c, x[15], 0xfe2ce6e0, 10);
        MD5_STEP(I, c, d, a, b, x[ 6], 0xa3014314, 15);
        MD5_STEP(I, b, c, d, a, x[13], 0x4e0811a1, 21);
        MD5_STEP(I, a, b, c, d, x[ 4], 0xf7537e82,  6);
        MD5_STEP(I, d, a, b, c, x[11], 0xbd3af235, 10);
        MD5_STEP(I, c, d, a, b, x[ 2], 0x2ad7d2bb, 15);
        MD5_STEP(I, b, c, d, a, x[ 9], 0xeb86d391, 21);

        a += a0;
        b += b0;
        c += c0;
        d += d0;
    }
    state_[0] = a;
    state_[1] = b;
    state_[2] = c;
    state_[3] = d;
}

#undef MD5_STEP
#undef MD5_I
#undef MD5_H
#undef MD5_G
#undef MD5_F

void Md5::Update(const void* data, size_t len) {
    blocks_.Feed(data, len, [this](const uint8_t* blocks, size_t count) { Compress(blocks, count); });
}

Md5Digest Md5::Finish() {
    const auto compress = [this](const uint8_t* blocks, size_t count) { Compress(blocks, count); };
    blocks_.Close(compress, [](uint8_t* at, uint64_t bits) {
        StoreLe32(at, uint32_t(bits));
        StoreLe32(at + 4, uint32_t(bits >> 32));
    });

    Md5Digest digest;
    for (int i = 0; i < 4; ++i) StoreLe32(digest.data() + 4 * i, state_[i]);
    Reset();
    return digest;
}

std::wstring Md5Hex(const Md5Digest& digest) {
    static const wchar_t kDigits[] = L"0123456789abcdef";
    std::wstring hex(digest.size() * 2, L'0');
    for (size_t i = 0; i < digest.size(); ++i) {
        hex[2 * i] = kDigits[digest[i] >> 4];
        hex[2 * i + 1] = kDigits[digest[i] & 0x0f];
    }
    return hex;
}
