#include "net/FileVersion.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

namespace {
ImageReader ReaderOf(const std::string& image) {
    return [&image](uint64_t offset, uint32_t size, std::string* out) {
        if (offset > image.size() || size > image.size() - offset) return false;
        out->assign(image, offset, size);
        return true;
    };
}

std::optional<FileVersion> VersionOfImage(const std::string& image) {
    const auto resource = VersionResourceOf(ReaderOf(image));
    return resource ? FixedFileVersion(*resource) : std::nullopt;
}

void Put(std::string& bytes, size_t at, uint32_t value, size_t width) {
    for (size_t i = 0; i < width; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

// wLength 92, wValueLength 52, the key, and the fixed part at 40.
std::string VersionBlock(uint32_t high, uint32_t low) {
    std::string block(92, '\0');
    const char16_t key[] = u"VS_VERSION_INFO";
    for (size_t i = 0; i < 16; ++i) Put(block, 6 + 2 * i, key[i], 2);
    const std::pair<size_t, uint32_t> fields[] = {{0, 92 | 52 << 16}, {40, 0xFEEF04BD}, {48, high}, {52, low}};
    for (const auto& [at, value] : fields) Put(block, at, value, 4);
    return block;
}

// Where the fields of the PE32 image built below lie in the file. The resource
// tree starts at file offset 0x200, mapped at RVA 0x1000; its offsets are
// relative to that start.
constexpr size_t kMagic = 0x58, kResourceRva = 0xC8, kResourceSize = 0xCC;
constexpr size_t kSectionVirtualSize = 0x140;
constexpr size_t kTree = 0x200, kTypeEntry = kTree + 0x10, kNameEntry = kTree + 0x28, kLanguageEntry = kTree + 0x40;
constexpr size_t kDataEntry = kTree + 0x48, kBlock = 0x58;

// One section holding type 16 -> name 1 -> language 0x409 -> data -> `block`.
std::string BuiltImage(const std::string& block, bool pe32Plus = false) {
    const uint32_t directories = pe32Plus ? 112 : 96, section = kMagic + directories + 16 * 8;
    const uint32_t treeBytes = kBlock + block.size();
    std::string image(kTree + treeBytes, '\0');
    const std::pair<size_t, uint32_t> fields[] = {
        {0, 'M' | 'Z' << 8}, {0x3C, 0x40}, {0x40, 'P' | 'E' << 8}, {0x46, 1}, {0x54, section - kMagic},
        {kMagic, pe32Plus ? 0x20B : 0x10B}, {kMagic + directories - 4, 16}, {kMagic + directories + 16, 0x1000},
        {kMagic + directories + 20, treeBytes}, {section + 8, treeBytes}, {section + 12, 0x1000},
        {section + 16, treeBytes}, {section + 20, kTree}, {kTree + 12, 1 << 16}, {kTypeEntry, 16},
        {kTypeEntry + 4, 0x80000018}, {kTree + 0x18 + 12, 1 << 16}, {kNameEntry, 1}, {kNameEntry + 4, 0x80000030},
        {kTree + 0x30 + 12, 1 << 16}, {kLanguageEntry, 0x409}, {kLanguageEntry + 4, 0x48},
        {kDataEntry, 0x1000 + kBlock}, {kDataEntry + 4, block.size()}};
    for (const auto& [at, value] : fields) Put(image, at, value, 4);
    image.replace(kTree + kBlock, block.size(), block);
    return image;
}
}  // namespace

// Real images (the launcher and the builds it is offered) are read in the
// Windows-side update tests.
TEST(FileVersion, ReadFromBuiltImages) {
    EXPECT_EQ(VersionOfImage(BuiltImage(VersionBlock(0x00010002, 0x00030004))), (FileVersion{1, 2, 3, 4}));
    EXPECT_EQ(VersionOfImage(BuiltImage(VersionBlock(0x00050000, 0x00000001), true)), (FileVersion{5, 0, 0, 1}));
}

TEST(FileVersion, BrokenOrHostileImagesGiveNoResource) {
    const std::string good = BuiltImage(VersionBlock(0x00030000, 2));
    const std::pair<const char*, std::function<void(std::string&)>> cases[] = {
        {"not an executable", [](std::string& i) { i[0] = 'X'; }},
        {"unknown optional header", [](std::string& i) { Put(i, kMagic, 0x107, 2); }},
        {"no resource directory", [](std::string& i) { Put(i, kResourceRva, 0, 4); Put(i, kResourceSize, 0, 4); }},
        {"tree outside every section", [](std::string& i) { Put(i, kResourceRva, 0x3000, 4); }},
        {"data past the virtual size", [](std::string& i) { Put(i, kSectionVirtualSize, 0x60, 4); }},
        {"table past the tree's size", [](std::string& i) { Put(i, kResourceSize, 0x20, 4); }},
        {"no version type", [](std::string& i) { Put(i, kTypeEntry, 14, 4); }},
        {"name is not a directory", [](std::string& i) { Put(i, kNameEntry + 4, 0x30, 4); }},
        {"name points to itself", [](std::string& i) { Put(i, kNameEntry + 4, 0x80000018, 4); }},
        {"absurd entry counts", [](std::string& i) { Put(i, kTree + 0x18 + 12, 0xFFFFFFFF, 4); }},
    };
    for (const auto& [name, breakIt] : cases) {
        std::string image = good;
        breakIt(image);
        EXPECT_FALSE(VersionResourceOf(ReaderOf(image))) << name;
    }
    // Cut anywhere, the image lacks some part of the way to its resource.
    for (size_t length = 0; length < good.size(); ++length)
        EXPECT_FALSE(VersionResourceOf(ReaderOf(good.substr(0, length)))) << length;
}

TEST(FileVersion, FixedPartOnlyWhereTheBlockLayoutPutsIt) {
    const std::string good = VersionBlock(0x00010002, 0x00030004);
    ASSERT_EQ(FixedFileVersion(good), (FileVersion{1, 2, 3, 4}));
    const std::pair<const char*, std::function<void(std::string&)>> cases[] = {
        {"wrong signature", [](std::string& b) { Put(b, 40, 0xFEEF04BC, 4); }},
        {"other key", [](std::string& b) { Put(b, 6, 'W', 2); }},
        {"no fixed part", [](std::string& b) { Put(b, 2, 0, 2); }},
        {"length past the bytes", [](std::string& b) { Put(b, 0, 93, 2); }},
        {"length short of the fixed part", [](std::string& b) { Put(b, 0, 91, 2); }},
        {"cut", [](std::string& b) { b.pop_back(); }},
    };
    for (const auto& [name, breakIt] : cases) {
        std::string block = good;
        breakIt(block);
        EXPECT_FALSE(FixedFileVersion(block)) << name;
    }
}

TEST(FileVersion, NewerMeansAnEarlierFieldIsLarger) {
    const struct {
        FileVersion candidate, running;
        bool newer;
    } cases[] = {
        {{3, 0, 0, 10}, {3, 0, 0, 9}, true},     {{3, 0, 0, 9}, {3, 0, 0, 10}, false},
        {{3, 1, 0, 0}, {3, 0, 9, 9}, true},      {{3, 0, 65535, 0}, {3, 1, 0, 0}, false},
        {{3, 0, 0, 2}, {3, 0, 0, 2}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsNewerVersion(c.candidate, c.running), c.newer)
            << c.candidate.major << '.' << c.candidate.minor << '.' << c.candidate.build << '.' << c.candidate.revision;
}
