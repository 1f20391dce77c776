#include "net/VersionStrings.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>

namespace {
using Change = std::pair<const char*, std::function<void(std::string&)>>;

std::string Utf16z(const std::u16string& text) {
    std::string bytes;
    for (char16_t unit : text + u'\0') bytes += {static_cast<char>(unit), static_cast<char>(unit >> 8)};
    return bytes;
}
// The first key or value `from` at or after `start` becomes `to`, as long.
void Swap(std::string& b, const std::u16string& from, const std::u16string& to, size_t start = 0) {
    b.replace(b.find(Utf16z(from), start), 2 * from.size() + 2, Utf16z(to));
}
size_t NodeAt(const std::string& b, const std::u16string& key) { return b.find(Utf16z(key)) - 6; }
size_t Word(const std::string& b, size_t at) { return uint8_t(b[at]) | uint8_t(b[at + 1]) << 8; }
void Put(std::string& b, size_t at, size_t value) { b[at] = char(value), b[at + 1] = char(value >> 8); }
}  // namespace

// The launcher's own version block as the resource compiler wrote it, changed.
TEST(VersionStrings, OnlyTheSameProductInEveryTableOfASoundBlock) {
    std::ifstream file(ZUVA_SOURCE_DIR "/tools/fuzz/corpus/file_version/launcher-block", std::ios::binary);
    const std::string ours{std::istreambuf_iterator<char>(file), {}};
    ASSERT_EQ(ProductIdentityOf(ours), (ProductIdentity{u"Korvel", u"KorvelFerrowind", u"Zuva.exe", u"Zuva"}));
    const size_t table = NodeAt(ours, u"080404b0"), bytes = Word(ours, table), last = NodeAt(ours, u"ProductVersion");
    // A copy of the table after it, the lengths around them grown: it agrees.
    std::string twoTables = ours;
    twoTables.insert(table + bytes, ours, table, bytes);
    for (size_t node : {size_t{0}, NodeAt(ours, u"StringFileInfo")}) Put(twoTables, node, Word(ours, node) + bytes);
    EXPECT_TRUE(IsSameProduct(twoTables, ours));
    for (const Change& change : {
             Change{"another product", [](std::string& b) { Swap(b, u"KorvelFerrowind", u"KorvelOtherTool"); }},
             Change{"another maker", [](std::string& b) { Swap(b, u"Korvel", u"korvel"); }},
             Change{"a value missing", [](std::string& b) { Swap(b, u"OriginalFilename", u"OriginalFilenamf"); }},
             // Ours second: a reader that took the last of the two would let it pass.
             Change{"a value named twice", [](std::string& b) { Swap(b, u"FileVersion", u"ProductName"); }},
             Change{"a string longer than its table", [&](std::string& b) { Put(b, last, Word(b, last) + 4); }},
             Change{"a value past its string", [&](std::string& b) { Put(b, last + 2, Word(b, last + 2) + 1); }}}) {
        std::string candidate = ours;
        change.second(candidate);
        EXPECT_FALSE(IsSameProduct(candidate, ours)) << change.first;
    }
    Swap(twoTables, u"KorvelFerrowind", u"KorvelOtherTool", table + bytes);
    EXPECT_FALSE(IsSameProduct(twoTables, ours)) << "the second table names another product";
    for (size_t length = 0; length < ours.size(); ++length)
        EXPECT_FALSE(ProductIdentityOf(ours.substr(0, length))) << "cut at " << length;
}
