#include "net/Md5.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "net/FileDigest.h"

namespace {
std::vector<uint8_t> Pattern(size_t len) {
    std::vector<uint8_t> bytes(len);
    for (size_t i = 0; i < len; ++i) bytes[i] = uint8_t(i % 251);
    return bytes;
}

std::wstring Whole(const void* data, size_t len) {
    Md5 md5;
    md5.Update(data, len);
    return Md5Hex(md5.Finish());
}

std::wstring Whole(const std::string& s) { return Whole(s.data(), s.size()); }

// Feeds the message in pieces whose sizes cycle through `sizes`, with an
// empty update between every two of them.
std::wstring Pieces(const std::vector<uint8_t>& msg, const std::vector<size_t>& sizes) {
    Md5 md5;
    size_t at = 0;
    for (size_t i = 0; at < msg.size(); ++i) {
        const size_t n = std::min(sizes[i % sizes.size()], msg.size() - at);
        md5.Update(msg.data() + at, n);
        md5.Update(msg.data() + at, 0);
        at += n;
    }
    return Md5Hex(md5.Finish());
}

// A source handing out `data` at most `most` bytes per call.
std::function<size_t(uint8_t*, size_t)> MemorySource(const std::vector<uint8_t>& data, size_t most,
                                                      size_t* largestCap = nullptr) {
    auto at = std::make_shared<size_t>(0);
    return [&data, most, at, largestCap](uint8_t* buf, size_t cap) {
        if (largestCap) *largestCap = std::max(*largestCap, cap);
        const size_t n = std::min({cap, most, data.size() - *at});
        std::copy_n(data.data() + *at, n, buf);
        *at += n;
        return n;
    };
}
}  // namespace

TEST(Md5, PublishedTestSuite) {
    EXPECT_EQ(Whole(""), L"d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(Whole("a"), L"0cc175b9c0f1b6a831c399e269772661");
    EXPECT_EQ(Whole("abc"), L"900150983cd24fb0d6963f7d28e17f72");
    EXPECT_EQ(Whole("message digest"), L"f96b697d7cb7938d525a2f31aaf161d0");
    EXPECT_EQ(Whole("abcdefghijklmnopqrstuvwxyz"), L"c3fcd3d76192e4007dfb496cca67e13b");
    EXPECT_EQ(Whole("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"),
              L"d174ab98d277d9f5a5611c2c9f419d9f");
    EXPECT_EQ(Whole("1234567890123456789012345678901234567890"
                    "1234567890123456789012345678901234567890"),
              L"57edf4a22be3c955ac49da2e2107b67a");
}

TEST(Md5, LengthsAroundThePaddingAndBlockEdges) {
    // Expected values: the bytes i % 251 for i = 0..len-1, digested by md5sum.
    const std::pair<size_t, const wchar_t*> cases[] = {
        {55, L"6912ee65fff2d9f9ce2508cddf8bcda0"},   {56, L"51fdd1acda72405dfdfa03fcb85896d7"},
        {63, L"48a6295221902e8e0938f773a7185e72"},   {64, L"b2d3f56bc197fd985d5965079b5e7148"},
        {65, L"8bd7053801c768420faf816fadba971c"},   {1023, L"7437d7a881387db7c41cf6930ab5e35d"},
        {1024, L"9ee0a0e0c0bc0f1ff29d663d1fdf0743"}, {1025, L"3f3789452b88cb32b8cbfbafe715e29a"},
        {2048, L"1544ef7a46131a30cf328f55979db73d"},
    };
    for (const auto& [len, expected] : cases) {
        const std::vector<uint8_t> msg = Pattern(len);
        EXPECT_EQ(Whole(msg.data(), msg.size()), expected) << len;
        EXPECT_EQ(Pieces(msg, {1, 63, 65, 13, 64, 7}), expected) << len;
        EXPECT_EQ(Pieces(msg, {1024}), expected) << len;
    }
}

TEST(Md5, EverySplitOfAMessageGivesTheSameDigest) {
    const std::vector<uint8_t> msg = Pattern(200);
    const std::wstring whole = Whole(msg.data(), msg.size());
    for (size_t cut = 0; cut <= msg.size(); ++cut) {
        Md5 md5;
        md5.Update(msg.data(), cut);
        md5.Update(msg.data() + cut, msg.size() - cut);
        EXPECT_EQ(Md5Hex(md5.Finish()), whole) << cut;
    }
    EXPECT_EQ(Pieces(msg, {1}), whole);
}

TEST(Md5, FinishStartsANewMessage) {
    Md5 md5;
    md5.Update("some earlier message that spans more than one block of sixty-four bytes", 72);
    md5.Finish();
    md5.Update("abc", 3);
    EXPECT_EQ(Md5Hex(md5.Finish()), L"900150983cd24fb0d6963f7d28e17f72");
    EXPECT_EQ(Md5Hex(md5.Finish()), L"d41d8cd98f00b204e9800998ecf8427e");
}

TEST(Md5OfStream, EmptySource) {
    std::wstring hex;
    ASSERT_TRUE(Md5OfStream([](uint8_t*, size_t) { return size_t(0); }, &hex));
    EXPECT_EQ(hex, L"d41d8cd98f00b204e9800998ecf8427e");
}

TEST(Md5OfStream, ShortAndOddReadsGiveTheWholeDigest) {
    const std::vector<uint8_t> data = Pattern(3000);
    const std::wstring expected = L"a216503cb86d01a23e71e047d4ccf001";  // md5sum of the same bytes
    for (size_t most : {size_t(1), size_t(7), size_t(333), size_t(1000), size_t(5000)}) {
        size_t largestCap = 0;
        std::wstring hex;
        ASSERT_TRUE(Md5OfStream(MemorySource(data, most, &largestCap), &hex)) << most;
        EXPECT_EQ(hex, expected) << most;
        EXPECT_LE(largestCap, 1024u) << most;
    }
}

TEST(Md5OfStream, ASourceOverrunningTheBufferIsRefused) {
    std::wstring hex = L"untouched";
    EXPECT_FALSE(Md5OfStream([](uint8_t*, size_t cap) { return cap + 1; }, &hex));
    EXPECT_EQ(hex, L"untouched");
}

#ifndef _WIN32
TEST(Md5OfStream, FileOnDisk) {
    const auto path = std::filesystem::temp_directory_path() / "zuva_md5_test.bin";
    struct Remover {
        std::filesystem::path p;
        ~Remover() { std::filesystem::remove(p); }
    } remover{path};
    const std::vector<uint8_t> data = Pattern(1 << 20);
    {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(data.data()), std::streamsize(data.size()));
        ASSERT_TRUE(out.good());
    }
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in.is_open());
    std::wstring hex;
    ASSERT_TRUE(Md5OfStream(
        [&in](uint8_t* buf, size_t cap) {
            in.read(reinterpret_cast<char*>(buf), std::streamsize(cap));
            return size_t(in.gcount());
        },
        &hex));
    // 1 MiB of the bytes i % 251, digested by md5sum.
    EXPECT_EQ(hex, L"8f293a2f6c19b345152f7a49bb4c643c");
}
#endif
