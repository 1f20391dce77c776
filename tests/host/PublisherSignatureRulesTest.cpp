#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "net/Sha256.h"

namespace {
std::string FromHex(const std::string& hex) {
    std::string bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) bytes += char(std::stoi(hex.substr(i, 2), nullptr, 16));
    return bytes;
}

std::string DigestBytes(Sha256& sha) {
    const Sha256Digest digest = sha.Finish();
    return std::string(digest.begin(), digest.end());
}
}  // namespace

TEST(Sha256, PublishedVectors) {
    EXPECT_EQ(Sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(Sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(Sha256Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
}

TEST(Sha256, MillionLettersInOddPiecesThenANewMessage) {
    const std::string letters(1000, 'a');
    Sha256 sha;
    size_t fed = 0;
    for (size_t i = 0; fed < 1000000; ++i) {
        const size_t piece = std::min<size_t>({size_t(1) + (i * 37) % 131, 1000000 - fed, letters.size()});
        sha.Update(letters.data(), piece);
        fed += piece;
    }
    EXPECT_EQ(DigestBytes(sha), FromHex("cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"));
    sha.Update("abc", 3);
    EXPECT_EQ(DigestBytes(sha), FromHex("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"));
}
