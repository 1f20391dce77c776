#include <gtest/gtest.h>

#include <cctype>
#include <optional>
#include <string>
#include <tuple>

#include "net/PublisherRules.h"
#include "net/Sha256.h"
#include "net/SignerCertificate.h"

namespace {
std::string FromHex(const std::string& hex) {
    std::string bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) bytes += char(std::stoi(hex.substr(i, 2), nullptr, 16));
    return bytes;
}

// Made once with openssl req -x509. P-256, version 3 with extensions, O a PrintableString holding a comma.
const char kWorksCertificate[] =
    "308201b43082015aa003020102021456dac25fa835247ed9bc616a7c54c160cecca956300a06082a8648ce3d040302303e311e301c06"
    "0355040a13155a757661205465737420576f726b732c204c74642e311c301a060355040313135a7576612054657374205075626c6973"
    "686572301e170d3236313230383039313631375a170d3237313230383039313631375a303e311e301c060355040a13155a7576612054"
    "65737420576f726b732c204c74642e311c301a060355040313135a7576612054657374205075626c69736865723059301306072a8648"
    "ce3d020106082a8648ce3d030107034200045e730468ec1081987ad6d06016979c9e1d5824b591ae20de544eff1c729c7bd6f3549370"
    "c75021bc5c31527d4d1aa2271b43817a1f9c83103e98aa72da183616a336303430130603551d25040c300a06082b0601050507030330"
    "1d0603551d0e041604146081f90a0f31e4b811946517f75a6063e3684e69300a06082a8648ce3d04030203480030450220675c3291e8"
    "431874b2e2a703f45b218266f3a8f5e6e369bf7610749af50b8814022100f4ee1bce09108303512314e8fcefc861a18c247e1b868ac7"
    "c1135a1853cde022";
const char kWorksKey[] = "fdb739ea256ca417a6f01a64501b503de60e6ebee3f5c68398ca9bf291d12e8d";
// Ed25519, version 1, O and CN BMPStrings with Chinese text, valid until 2126 (a GeneralizedTime).
const char kBmpCertificate[] =
    "308201183081cb02143085e2b8fee4cec704c185e7cafc998735120593300506032b6570302e3111300f060355040a1e08795674e66d"
    "4b8bd53119301706035504031e10005a007500760061002053d15e0380053020170d3236313230383039313631325a180f3231323631"
    "3131343039313631325a302e3111300f060355040a1e08795674e66d4b8bd53119301706035504031e10005a007500760061002053d1"
    "5e038005302a300506032b657003210012b303b94d9aca82f41ad6ad8e289ec1e163764d698e7e31ba649770fe037cac300506032b65"
    "700341009ac88b0e4ee351ed8eb967e2038f01bcd193716947d23638ffe3767648d9f4efec153f1b849a0b726c2a9c882bf8d0707ed7"
    "e89622b59de3867b39c4d0562103";
std::string Tlv(uint8_t tag, const std::string& content) {
    std::string length(1, char(content.size()));
    if (content.size() >= 0x80) length = {char(0x81), char(content.size())};
    return char(tag) + length + content;
}

// A certificate around a validity and a subject; the other fields are stand-ins the reader only steps over.
std::string MadeCertificate(const std::string& validity, const std::string& subject,
                            const std::string& serial = Tlv(0x02, "\x01")) {
    const std::string algorithm = Tlv(0x30, Tlv(0x06, "\x2b\x65\x70"));
    const std::string publicKey = Tlv(0x30, algorithm + Tlv(0x03, std::string("\0key", 4)));
    const std::string tbs = Tlv(0x30, serial + algorithm + Tlv(0x30, "") + validity + subject + publicKey);
    return Tlv(0x30, tbs + algorithm + Tlv(0x03, std::string("\0sig", 4)));
}

std::string OneYear() { return Tlv(0x30, Tlv(0x17, "260101000000Z") + Tlv(0x17, "270101000000Z")); }

std::string Attribute(char oidLastByte, uint8_t stringTag, const std::string& value) {
    return Tlv(0x30, Tlv(0x06, std::string("\x55\x04", 2) + oidLastByte) + Tlv(stringTag, value));
}
const char kO = 0x0a, kCN = 0x03;

auto Names(const CertificateFacts& facts) {
    return std::tie(facts.organisation, facts.commonName, facts.subjectAmbiguous);
}
auto KeyAndValidity(const CertificateFacts& facts) {
    return std::tie(facts.publicKeySha256, facts.notBefore, facts.notAfter);
}
}  // namespace

// Feeding in pieces and starting over are MessageBlocks', tested with MD5.
TEST(Sha256, PublishedVectors) {
    EXPECT_EQ(Sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(Sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(Sha256Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
}

TEST(SignerCertificate, ReadsTheFactsOfRealCertificates) {
    // Expected values: openssl x509 -startdate -enddate, and the key pipeline over -pubkey.
    const struct {
        const char* der;
        CertificateFacts facts;
    } cases[] = {
        {kWorksCertificate, {"Zuva Test Works, Ltd.", "Zuva Test Publisher", false, kWorksKey, 1796721377, 1828257377}},
        {kBmpCertificate,
         {"祖瓦测试", "Zuva 发布者", false, "1bc8408624ca700a5929e7c218cd772f83a6b85c4a5710ce53ddbe2ab6677273",
          1796721372, 4950321372}},
    };
    for (const auto& c : cases) {
        const std::optional<CertificateFacts> facts = ReadCertificateFacts(FromHex(c.der));
        ASSERT_TRUE(facts) << c.facts.commonName;
        EXPECT_EQ(Names(*facts), Names(c.facts));
        EXPECT_EQ(KeyAndValidity(*facts), KeyAndValidity(c.facts));
    }
}

TEST(SignerCertificate, CutOrMalformedEncodingsAreRefused) {
    const std::string der = FromHex(kWorksCertificate);
    for (size_t length = 0; length < der.size(); ++length) EXPECT_FALSE(ReadCertificateFacts(der.substr(0, length)));
    EXPECT_FALSE(ReadCertificateFacts(der + '\0'));
    const std::string content = der.substr(4);
    EXPECT_FALSE(ReadCertificateFacts("\x30\x80" + content + std::string(2, '\0')));        // indefinite length
    EXPECT_FALSE(ReadCertificateFacts("\x30\x83" + std::string(1, '\0') + der.substr(2)));  // a needless length byte
    // Nine length bytes whose first would be shifted out of a 64-bit length.
    EXPECT_FALSE(ReadCertificateFacts("\x30\x89\x01" + std::string(6, '\0') + der.substr(2)));
    // A short length in the long form.
    EXPECT_FALSE(ReadCertificateFacts(MadeCertificate(OneYear(), Tlv(0x30, ""), "\x02\x81\x01\x01")));
    std::string validityAsSet = der;
    validityAsSet[111] = 0x31;
    EXPECT_FALSE(ReadCertificateFacts(validityAsSet));
}

TEST(SignerCertificate, ValidityTimes) {
    const std::optional<int64_t> refused;
    const struct {
        uint8_t tag;
        const char* text;
        std::optional<int64_t> seconds;
    } cases[] = {
        {0x17, "500101000000Z", -631152000},     {0x17, "491231235959Z", 2524607999},
        {0x18, "20000229120000Z", 951825600},    {0x18, "99991231235959Z", 253402300799},
        {0x18, "21000229000000Z", refused},      {0x17, "700101000000", refused},
        {0x18, "19700101000000.5Z", refused},    {0x17, "700101000000+0100", refused},
        {0x17, "701301000000Z", refused},        {0x13, "700101000000Z", refused},
    };
    for (const auto& c : cases) {
        const std::string validity = Tlv(0x30, Tlv(c.tag, c.text) + Tlv(0x17, "700101000000Z"));
        const std::optional<CertificateFacts> facts = ReadCertificateFacts(MadeCertificate(validity, Tlv(0x30, "")));
        EXPECT_EQ(facts ? std::optional<int64_t>(facts->notBefore) : refused, c.seconds) << c.text;
    }
}

TEST(SignerCertificate, SubjectNamesThatCannotBeTrusted) {
    const std::string halfUnit("\x00\x41\x00", 3);
    const struct {
        std::string rdns;
        std::tuple<std::string, std::string, bool> names;  // O, CN, ambiguous
    } cases[] = {
        // Both in one multi-valued RDN, among attributes we do not read.
        {Tlv(0x31, Attribute(0x06, 0x13, "CN") + Attribute(kO, 0x0c, "Org") + Attribute(kCN, 0x16, "Name")),
         {"Org", "Name", false}},
        {Tlv(0x31, Attribute(kO, 0x13, "Org")) + Tlv(0x31, Attribute(kO, 0x13, "Org")), {"Org", "", true}},
        {Tlv(0x31, Attribute(kCN, 0x14, "Teletex")), {"", "", true}},
        {Tlv(0x31, Attribute(kCN, 0x1e, halfUnit)), {"", "", true}},
    };
    for (const auto& c : cases) {
        const std::optional<CertificateFacts> facts =
            ReadCertificateFacts(MadeCertificate(OneYear(), Tlv(0x30, c.rdns)));
        ASSERT_TRUE(facts);
        EXPECT_EQ(Names(*facts), c.names);
    }
}

TEST(PublisherPin, Forms) {
    using Kind = PublisherPin::Kind;
    const std::string hex(kWorksKey);
    std::string upper(hex);
    for (char& ch : upper) ch = char(std::toupper(static_cast<unsigned char>(ch)));
    const struct {
        std::string text;
        PublisherPin pin;
    } cases[] = {
        {"subject:O=Zuva Test Works, Ltd.,CN=Zuva Test Publisher",
         {Kind::Subject, "Zuva Test Works, Ltd.", "Zuva Test Publisher", ""}},
        {"subject:O=A,CN=B,CN=C", {Kind::Subject, "A,CN=B", "C", ""}},
        {"key:" + upper, {Kind::Key, "", "", hex}},
        {"key:" + hex + "0", {}},
        {"key:" + hex.substr(1) + "g", {}},
        {"", {}},
        {"subject:O=,CN=B", {}},
        {"subject:O=A", {}},
        {"issuer:O=A,CN=B", {}},
    };
    const auto fields = [](const PublisherPin& pin) {
        return std::tie(pin.kind, pin.organisation, pin.commonName, pin.keySha256);
    };
    for (const auto& c : cases) EXPECT_EQ(fields(ParsePublisherPin(c.text)), fields(c.pin)) << c.text;
}

TEST(PublisherSignature, Decision) {
    const std::optional<CertificateFacts> read = ReadCertificateFacts(FromHex(kWorksCertificate));
    ASSERT_TRUE(read);
    const CertificateFacts works = *read;
    CertificateFacts renewed = works, renamed = works, otherOrganisation = works, ambiguous = works;
    renewed.publicKeySha256 = std::string(64, 'a');
    renamed.commonName = "Zuva Test Publisher 2";
    otherOrganisation.organisation = "Zuva Test Works";
    ambiguous.subjectAmbiguous = true;
    const PublisherPin bySubject = ParsePublisherPin("subject:O=Zuva Test Works, Ltd.,CN=Zuva Test Publisher");
    const PublisherPin byKey = ParsePublisherPin(std::string("key:") + kWorksKey);
    PublisherPin unnamed = byKey;
    unnamed.kind = PublisherPin::Kind::None;
    const int64_t from = works.notBefore, until = works.notAfter, mid = from + (until - from) / 2;
    const std::optional<int64_t> none;
    // Signature facts: status, status without revocation, signer, time stamp, now.
    const struct {
        const char* what;
        PublisherPin pin;
        SignatureFacts facts;
        bool accepted;
    } cases[] = {
        {"subject matches", bySubject, {kTrustSuccess, 0, works, none, mid}, true},
        {"other common name", bySubject, {kTrustSuccess, 0, renamed, none, mid}, false},
        {"other organisation", bySubject, {kTrustSuccess, 0, otherOrganisation, none, mid}, false},
        {"renewed key", bySubject, {kTrustSuccess, 0, renewed, none, mid}, true},
        {"ambiguous subject", bySubject, {kTrustSuccess, 0, ambiguous, none, mid}, false},
        {"subject, untrusted root", bySubject, {kCertUntrustedRoot, 0, works, none, mid}, false},
        {"key, untrusted root", byKey, {kCertUntrustedRoot, 0, works, none, mid}, true},
        {"key, other key", byKey, {kTrustSuccess, 0, renewed, none, mid}, false},
        {"key, chain broken", byKey, {kCertChaining, 0, works, none, mid}, false},
        {"revoked", bySubject, {kCertRevoked, 0, works, none, mid}, false},
        {"offline, good", bySubject, {kCryptRevocationOffline, kTrustSuccess, works, none, mid}, true},
        {"no check, untrusted root", byKey, {kCryptNoRevocationCheck, kCertUntrustedRoot, works, none, mid}, true},
        {"revocation failure, good", byKey, {kCertRevocationFailure, kTrustSuccess, works, none, mid}, true},
        {"cannot tell, bad digest", byKey, {kCertRevocationFailure, kTrustBadDigest, works, none, mid}, false},
        {"cannot tell, then revoked", byKey, {kCryptRevocationOffline, kCryptRevoked, works, none, mid}, false},
        {"no signer", bySubject, {kTrustSuccess, 0, std::nullopt, none, mid}, false},
        {"no pin", unnamed, {kTrustSuccess, 0, works, none, mid}, false},
        {"first valid second", bySubject, {kTrustSuccess, 0, works, none, from}, true},
        {"last valid second", byKey, {kTrustSuccess, 0, works, none, until}, true},
        {"not yet valid", bySubject, {kTrustSuccess, 0, works, none, from - 1}, false},
        {"expired", byKey, {kTrustSuccess, 0, works, none, until + 1}, false},
        {"expired, timestamped in time", byKey, {kTrustSuccess, 0, works, mid, until + 86400}, true},
        {"timestamped after expiry", bySubject, {kTrustSuccess, 0, works, until + 1, mid}, false},
        {"timestamped before validity", byKey, {kTrustSuccess, 0, works, from - 1, mid}, false},
        // The chain's own bits, where the answer hides them.
        {"subject, success over an untrusted root", bySubject, {0, 0, works, none, mid, kChainUntrustedRoot}, false},
        {"key, success over an untrusted root", byKey, {0, 0, works, none, mid, kChainUntrustedRoot}, true},
        {"revoked in the chain", byKey, {kCertUntrustedRoot, 0, works, none, mid, kChainRevoked}, false},
        {"out of time in the chain", byKey, {0, 0, works, none, mid, kChainNotTimeValid}, false},
        {"revocation not told", bySubject,
         {kCryptRevocationOffline, 0, works, none, mid, kChainRevocationUnknown | kChainOfflineRevocation}, true},
    };
    for (const auto& c : cases) EXPECT_EQ(IsPublishersSignature(c.pin, c.facts), c.accepted) << c.what;
}

TEST(PublisherSignature, AChainTheCacheCannotBuildIsAskedForAgainOnlyForThePublisher) {
    const std::optional<CertificateFacts> works = ReadCertificateFacts(FromHex(kWorksCertificate));
    ASSERT_TRUE(works);
    CertificateFacts someoneElse = *works;
    someoneElse.commonName = "Someone Else";
    const PublisherPin bySubject = ParsePublisherPin("subject:O=Zuva Test Works, Ltd.,CN=Zuva Test Publisher");
    const PublisherPin byKey = ParsePublisherPin(std::string("key:") + kWorksKey);
    const int64_t mid = works->notBefore + (works->notAfter - works->notBefore) / 2;
    const std::optional<int64_t> none;
    const struct {
        const char* what;
        PublisherPin pin;
        SignatureFacts facts;
        bool asked;
    } cases[] = {
        {"untrusted root", bySubject, {kCertUntrustedRoot, 0, works, none, mid, kChainUntrustedRoot}, true},
        {"an issuer missing", bySubject, {kCertChaining, 0, works, none, mid, kChainPartialChain}, true},
        {"success over an untrusted root", bySubject, {0, 0, works, none, mid, kChainUntrustedRoot}, true},
        {"cache silent, then untrusted root", bySubject, {kCryptRevocationOffline, kCertUntrustedRoot, works, none, mid}, true},
        {"already good", bySubject, {0, 0, works, none, mid}, false},
        {"someone else's", bySubject, {kCertUntrustedRoot, 0, someoneElse, none, mid}, false},
        {"expired besides", bySubject, {kCertUntrustedRoot, 0, works, none, works->notAfter + 1}, false},
        {"revoked besides", bySubject, {kCertUntrustedRoot, 0, works, none, mid, kChainUntrustedRoot | kChainRevoked}, false},
        {"bad digest", bySubject, {kTrustBadDigest, 0, works, none, mid}, false},
        {"key form, an issuer missing", byKey, {kCertChaining, 0, works, none, mid, kChainPartialChain}, false},
    };
    for (const auto& c : cases) EXPECT_EQ(WantsChainRetrieval(c.pin, c.facts), c.asked) << c.what;
}
