#include "net/VersionStrings.h"

#include <algorithm>
#include <cstdint>
#include <tuple>
#include <utility>
#include <vector>

namespace {
uint16_t ReadWord(const std::string& bytes, size_t at) {
    return static_cast<uint16_t>(static_cast<uint8_t>(bytes[at]) | static_cast<uint8_t>(bytes[at + 1]) << 8);
}

// Offsets are from the resource's start, which the resource section aligns.
size_t Align4(size_t at) { return (at + 3) & ~size_t{3}; }

// One node of the resource: wLength, wValueLength, wType, the key up to its
// NUL, the value at the next 32-bit boundary, then the children, each at a
// 32-bit boundary.
struct Block {
    size_t end = 0;
    std::u16string key;
    size_t valueAt = 0, valueBytes = 0;
    size_t childrenAt = 0;
};

constexpr size_t kHeaderBytes = 6;
constexpr uint16_t kTextValue = 1;  // wValueLength counts UTF-16 units, not bytes

// The block at `at`, which must lie wholly before `limit` (its parent's end).
std::optional<Block> BlockAt(const std::string& bytes, size_t at, size_t limit) {
    if (limit > bytes.size() || at > limit || limit - at < kHeaderBytes) return std::nullopt;
    const size_t length = ReadWord(bytes, at);
    if (length < kHeaderBytes || length > limit - at) return std::nullopt;
    Block block;
    block.end = at + length;
    size_t cursor = at + kHeaderBytes;
    for (;; cursor += 2) {
        if (block.end - cursor < 2) return std::nullopt;  // the key runs out of its block
        const char16_t unit = ReadWord(bytes, cursor);
        if (unit == 0) break;
        block.key.push_back(unit);
    }
    // A block without a value may end before the boundary a value would start at.
    block.valueAt = std::min(Align4(cursor + 2), block.end);
    const size_t valueLength = ReadWord(bytes, at + 2);
    block.valueBytes = ReadWord(bytes, at + 4) == kTextValue ? 2 * valueLength : valueLength;
    if (block.valueBytes > block.end - block.valueAt) return std::nullopt;
    block.childrenAt = Align4(block.valueAt + block.valueBytes);
    return block;
}

// Every child of `parent`; empty when any of them does not fit in it.
std::optional<std::vector<Block>> ChildrenOf(const std::string& bytes, const Block& parent) {
    std::vector<Block> children;
    // Each child takes at least its header, so the walk always moves on.
    for (size_t at = parent.childrenAt; at < parent.end;) {
        std::optional<Block> child = BlockAt(bytes, at, parent.end);
        if (!child) return std::nullopt;
        at = Align4(child->end);
        children.push_back(std::move(*child));
    }
    return children;
}

// A string's text, up to its first NUL.
std::u16string TextOf(const std::string& bytes, const Block& string) {
    std::u16string text;
    for (size_t at = string.valueAt; at + 2 <= string.valueAt + string.valueBytes; at += 2) {
        const char16_t unit = ReadWord(bytes, at);
        if (unit == 0) break;
        text.push_back(unit);
    }
    return text;
}

// The four values of one string table; empty when one is missing, empty or
// named twice (which of two would count is nobody's to guess).
std::optional<ProductIdentity> IdentityOfTable(const std::string& bytes, const Block& table) {
    const auto strings = ChildrenOf(bytes, table);
    if (!strings) return std::nullopt;
    ProductIdentity identity;
    const std::pair<const char16_t*, std::u16string*> wanted[] = {
        {u"CompanyName", &identity.companyName},
        {u"ProductName", &identity.productName},
        {u"OriginalFilename", &identity.originalFilename},
        {u"InternalName", &identity.internalName}};
    for (const auto& [name, value] : wanted) {
        int found = 0;
        for (const Block& string : *strings)
            if (string.key == name) {
                ++found;
                *value = TextOf(bytes, string);
            }
        if (found != 1 || value->empty()) return std::nullopt;
    }
    return identity;
}
}  // namespace

bool operator==(const ProductIdentity& a, const ProductIdentity& b) {
    return std::tie(a.companyName, a.productName, a.originalFilename, a.internalName) ==
           std::tie(b.companyName, b.productName, b.originalFilename, b.internalName);
}

bool operator!=(const ProductIdentity& a, const ProductIdentity& b) { return !(a == b); }

std::optional<ProductIdentity> ProductIdentityOf(const std::string& versionResource) {
    const std::string& bytes = versionResource;
    const auto root = BlockAt(bytes, 0, bytes.size());
    if (!root || root->key != u"VS_VERSION_INFO") return std::nullopt;
    const auto sections = ChildrenOf(bytes, *root);
    if (!sections) return std::nullopt;
    const Block* stringInfo = nullptr;
    for (const Block& section : *sections) {
        if (section.key != u"StringFileInfo") continue;
        if (stringInfo) return std::nullopt;  // a second one could say anything
        stringInfo = &section;
    }
    if (!stringInfo) return std::nullopt;
    const auto tables = ChildrenOf(bytes, *stringInfo);
    if (!tables || tables->empty()) return std::nullopt;
    std::optional<ProductIdentity> identity;
    for (const Block& table : *tables) {
        const auto ofTable = IdentityOfTable(bytes, table);
        if (!ofTable || (identity && *identity != *ofTable)) return std::nullopt;
        identity = ofTable;
    }
    return identity;
}

bool IsSameProduct(const std::string& candidateResource, const std::string& runningResource) {
    const auto candidate = ProductIdentityOf(candidateResource);
    const auto running = ProductIdentityOf(runningResource);
    return candidate && running && *candidate == *running;
}
