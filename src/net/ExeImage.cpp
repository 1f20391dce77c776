#include "net/ExeImage.h"

namespace {
uint32_t ReadLe(const std::string& bytes, size_t at, size_t width) {
    uint32_t value = 0;
    for (size_t i = 0; i < width; ++i) value |= static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + i])) << (8 * i);
    return value;
}

constexpr size_t kPeOffsetField = 0x3C;
constexpr size_t kCoffHeaderBytes = 24;  // "PE\0\0" and the file header
constexpr size_t kSectionBytes = 40;
}  // namespace

bool IsWholeExeImage(const std::string& head, uint64_t fileSize) {
    if (head.size() < kPeOffsetField + 4 || head.size() > fileSize || head[0] != 'M' || head[1] != 'Z')
        return false;
    const uint64_t pe = ReadLe(head, kPeOffsetField, 4);
    if (pe + kCoffHeaderBytes > head.size() || head.compare(pe, 4, std::string("PE\0\0", 4)) != 0) return false;
    const uint32_t sections = ReadLe(head, pe + 6, 2);
    const uint64_t table = pe + kCoffHeaderBytes + ReadLe(head, pe + 20, 2);
    if (sections == 0 || table + sections * kSectionBytes > head.size()) return false;
    for (uint32_t i = 0; i < sections; ++i) {
        const size_t section = table + i * kSectionBytes;
        const uint64_t rawSize = ReadLe(head, section + 16, 4);
        const uint64_t rawStart = ReadLe(head, section + 20, 4);
        if (rawSize != 0 && rawStart + rawSize > fileSize) return false;
    }
    return true;
}
