#include "net/FileVersion.h"

#include <algorithm>
#include <tuple>
#include <vector>

namespace {
uint32_t ReadLe(const std::string& bytes, size_t at, size_t width) {
    uint32_t value = 0;
    for (size_t i = 0; i < width; ++i) value |= static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + i])) << (8 * i);
    return value;
}

// A reader that hands back more or fewer bytes than asked counts as failed:
// every later index into the bytes relies on their count.
std::optional<std::string> ReadExactly(const ImageReader& read, uint64_t offset, uint32_t size) {
    std::string bytes;
    if (!read(offset, size, &bytes) || bytes.size() != size) return std::nullopt;
    return bytes;
}

constexpr uint32_t kDosHeaderBytes = 0x40;
constexpr size_t kPeOffsetField = 0x3C;
constexpr uint32_t kCoffHeaderBytes = 24;  // "PE\0\0" and the file header
constexpr uint32_t kSectionBytes = 40;
// Far more sections than a linker writes for a program; the cap keeps the table read small.
constexpr uint32_t kMaxSections = 96;
constexpr uint32_t kDataDirectoryBytes = 8;
constexpr uint32_t kResourceDirectoryIndex = 2;

constexpr uint32_t kDirectoryBytes = 16;
constexpr uint32_t kEntryBytes = 8;
constexpr uint32_t kDataEntryBytes = 16;
constexpr uint32_t kSubdirectoryFlag = 0x80000000u;
// A directory lists resource types, names or languages: at most a few hundred
// in a real image. More is a forged count, refused before any entry is read.
constexpr uint32_t kMaxEntries = 1024;
constexpr uint32_t kVersionResourceType = 16;

struct Section {
    uint64_t virtualAddress = 0, extent = 0, fileOffset = 0;
};

// The resource tree's place in memory, and the sections that map it to the file.
struct ResourceTree {
    uint32_t rva = 0, size = 0;
    std::vector<Section> sections;
};

// A range in memory is read from the file only when one section's raw data
// holds all of it: memory past the raw data is zeros the file does not have.
std::optional<uint64_t> FileOffsetOf(const std::vector<Section>& sections, uint64_t rva, uint64_t size) {
    for (const Section& section : sections)
        if (rva >= section.virtualAddress && rva + size <= section.virtualAddress + section.extent)
            return section.fileOffset + (rva - section.virtualAddress);
    return std::nullopt;
}

std::optional<ResourceTree> ResourceTreeOf(const ImageReader& read) {
    const auto dos = ReadExactly(read, 0, kDosHeaderBytes);
    if (!dos || (*dos)[0] != 'M' || (*dos)[1] != 'Z') return std::nullopt;
    const uint64_t pe = ReadLe(*dos, kPeOffsetField, 4);
    const auto coff = ReadExactly(read, pe, kCoffHeaderBytes);
    if (!coff || coff->compare(0, 4, std::string("PE\0\0", 4)) != 0) return std::nullopt;
    const uint32_t sectionCount = ReadLe(*coff, 6, 2);
    const uint32_t optionalBytes = ReadLe(*coff, 20, 2);
    const uint64_t optional = pe + kCoffHeaderBytes;

    const auto magic = ReadExactly(read, optional, 2);
    if (!magic) return std::nullopt;
    // The data directories follow the fields that PE32+ widened to 64 bits;
    // their count is the field just before them.
    uint32_t directories = 0;
    switch (ReadLe(*magic, 0, 2)) {
        case 0x10B: directories = 96; break;
        case 0x20B: directories = 112; break;
        default: return std::nullopt;
    }
    const uint32_t headerBytes = directories + (kResourceDirectoryIndex + 1) * kDataDirectoryBytes;
    if (optionalBytes < headerBytes) return std::nullopt;
    const auto header = ReadExactly(read, optional, headerBytes);
    if (!header || ReadLe(*header, directories - 4, 4) <= kResourceDirectoryIndex) return std::nullopt;

    ResourceTree tree;
    tree.rva = ReadLe(*header, directories + kResourceDirectoryIndex * kDataDirectoryBytes, 4);
    tree.size = ReadLe(*header, directories + kResourceDirectoryIndex * kDataDirectoryBytes + 4, 4);
    // An image without resources has a zero-sized tree, which no read below fits in.
    if (sectionCount > kMaxSections) return std::nullopt;
    const auto table = ReadExactly(read, optional + optionalBytes, sectionCount * kSectionBytes);
    if (!table) return std::nullopt;
    for (uint32_t i = 0; i < sectionCount; ++i) {
        const size_t at = i * kSectionBytes;
        const uint32_t virtualSize = ReadLe(*table, at + 8, 4);
        const uint32_t rawSize = ReadLe(*table, at + 16, 4);
        // Raw data past VirtualSize is padding to the file alignment, not the
        // section's; a VirtualSize of 0 means the raw size.
        const uint32_t extent = virtualSize == 0 ? rawSize : std::min(virtualSize, rawSize);
        tree.sections.push_back(Section{ReadLe(*table, at + 12, 4), extent, ReadLe(*table, at + 20, 4)});
    }
    return tree;
}

// Tree offsets are relative to the tree's start and must stay within its
// declared size, so that no table is read from the data around it.
std::optional<std::string> ReadInTree(const ImageReader& read, const ResourceTree& tree, uint64_t offset,
                                      uint32_t size) {
    if (offset + size > tree.size) return std::nullopt;
    const auto at = FileOffsetOf(tree.sections, tree.rva + offset, size);
    if (!at) return std::nullopt;
    return ReadExactly(read, *at, size);
}

// The OffsetToData of the directory's entry named by the integer `id`, or of
// its first entry when no id is given.
std::optional<uint32_t> EntryOf(const ImageReader& read, const ResourceTree& tree, uint32_t directory,
                                std::optional<uint32_t> id) {
    const auto header = ReadInTree(read, tree, directory, kDirectoryBytes);
    if (!header) return std::nullopt;
    const uint32_t count = ReadLe(*header, 12, 2) + ReadLe(*header, 14, 2);
    if (count == 0 || count > kMaxEntries) return std::nullopt;
    const uint32_t needed = id ? count : 1;
    const auto entries = ReadInTree(read, tree, uint64_t{directory} + kDirectoryBytes, needed * kEntryBytes);
    if (!entries) return std::nullopt;
    // A named entry has the top bit of its name set, so it never equals an id.
    for (uint32_t i = 0; i < needed; ++i)
        if (!id || ReadLe(*entries, i * kEntryBytes, 4) == *id) return ReadLe(*entries, i * kEntryBytes + 4, 4);
    return std::nullopt;
}

bool IsSubdirectory(uint32_t offsetToData) { return (offsetToData & kSubdirectoryFlag) != 0; }
}  // namespace

bool operator==(const FileVersion& a, const FileVersion& b) {
    return std::tie(a.major, a.minor, a.build, a.revision) == std::tie(b.major, b.minor, b.build, b.revision);
}

bool operator!=(const FileVersion& a, const FileVersion& b) { return !(a == b); }

bool operator<(const FileVersion& a, const FileVersion& b) {
    return std::tie(a.major, a.minor, a.build, a.revision) < std::tie(b.major, b.minor, b.build, b.revision);
}

std::optional<std::string> VersionResourceOf(const ImageReader& read) {
    const auto tree = ResourceTreeOf(read);
    if (!tree) return std::nullopt;
    // Type, then name, then language: exactly three steps, each of which must
    // go where the tree's shape says, so a tree pointing back into itself
    // ends at the third step instead of going round.
    const auto names = EntryOf(read, *tree, 0, kVersionResourceType);
    if (!names || !IsSubdirectory(*names)) return std::nullopt;
    const auto languages = EntryOf(read, *tree, *names & ~kSubdirectoryFlag, std::nullopt);
    if (!languages || !IsSubdirectory(*languages)) return std::nullopt;
    const auto data = EntryOf(read, *tree, *languages & ~kSubdirectoryFlag, std::nullopt);
    if (!data || IsSubdirectory(*data)) return std::nullopt;

    const auto dataEntry = ReadInTree(read, *tree, *data, kDataEntryBytes);
    if (!dataEntry) return std::nullopt;
    // Unlike the tree's own offsets, the data entry holds an address in memory.
    const uint32_t rva = ReadLe(*dataEntry, 0, 4);
    const uint32_t size = ReadLe(*dataEntry, 4, 4);
    if (size == 0 || size > kMaxVersionResourceBytes) return std::nullopt;
    const auto at = FileOffsetOf(tree->sections, rva, size);
    if (!at) return std::nullopt;
    return ReadExactly(read, *at, size);
}

std::optional<FileVersion> FixedFileVersion(const std::string& versionResource) {
    // wLength, wValueLength and wType, then the key in UTF-16 with its
    // terminator, then the fixed part at the next 32-bit boundary.
    static constexpr char16_t kKey[] = u"VS_VERSION_INFO";
    constexpr size_t kKeyAt = 6;
    constexpr size_t kKeyChars = sizeof(kKey) / sizeof(kKey[0]);
    constexpr size_t kFixedAt = (kKeyAt + 2 * kKeyChars + 3) / 4 * 4;
    constexpr size_t kFixedBytes = 52;
    constexpr uint32_t kFixedSignature = 0xFEEF04BDu;

    const std::string& block = versionResource;
    if (block.size() < kFixedAt + kFixedBytes) return std::nullopt;
    // The block's own length must hold the fixed part and lie within the bytes.
    const uint32_t length = ReadLe(block, 0, 2);
    if (length < kFixedAt + kFixedBytes || length > block.size() || ReadLe(block, 2, 2) < kFixedBytes)
        return std::nullopt;
    for (size_t i = 0; i < kKeyChars; ++i)
        if (ReadLe(block, kKeyAt + 2 * i, 2) != kKey[i]) return std::nullopt;
    if (ReadLe(block, kFixedAt, 4) != kFixedSignature) return std::nullopt;
    const uint32_t high = ReadLe(block, kFixedAt + 8, 4);
    const uint32_t low = ReadLe(block, kFixedAt + 12, 4);
    return FileVersion{static_cast<uint16_t>(high >> 16), static_cast<uint16_t>(high), static_cast<uint16_t>(low >> 16),
                       static_cast<uint16_t>(low)};
}

bool IsNewerVersion(const FileVersion& candidate, const FileVersion& running) { return running < candidate; }
