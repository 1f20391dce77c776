#include "net/PublisherRules.h"

namespace {
const char kSubjectPrefix[] = "subject:O=";
const char kCommonNameMark[] = ",CN=";
const char kKeyPrefix[] = "key:";
constexpr size_t kKeyHexDigits = 64;

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

// The hex digits in lower case; empty when `text` is not exactly a key's worth of them.
std::string LowerKeyHex(const std::string& text) {
    if (text.size() != kKeyHexDigits) return {};
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'F') c = char(c - 'A' + 'a');
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return {};
    }
    return lower;
}

constexpr uint32_t kChainRevocationNotTold = kChainRevocationUnknown | kChainOfflineRevocation;
constexpr uint32_t kChainNotBuilt = kChainUntrustedRoot | kChainPartialChain;

// The answer the decision judges: without revocation when the cache could not tell.
uint32_t JudgedAnswer(const SignatureFacts& facts) {
    return CannotTellRevocation(facts.status) ? facts.statusWithoutRevocation : facts.status;
}

bool IsSubjectOf(const PublisherPin& pin, const CertificateFacts& signer, uint32_t answer, uint32_t chainErrors) {
    return answer == kTrustSuccess && (chainErrors & ~kChainRevocationNotTold) == 0 && !pin.organisation.empty() &&
           !pin.commonName.empty() &&
           !signer.subjectAmbiguous && signer.organisation == pin.organisation && signer.commonName == pin.commonName;
}

bool IsKeyOf(const PublisherPin& pin, const CertificateFacts& signer, uint32_t answer, uint32_t chainErrors) {
    return (answer == kTrustSuccess || answer == kCertUntrustedRoot) &&
           (chainErrors & ~(kChainRevocationNotTold | kChainUntrustedRoot)) == 0 &&
           pin.keySha256.size() == kKeyHexDigits && signer.publicKeySha256 == pin.keySha256;
}
}  // namespace

bool CannotTellRevocation(uint32_t status) {
    return status == kCertRevocationFailure || status == kCryptNoRevocationCheck || status == kCryptRevocationOffline;
}

PublisherPin ParsePublisherPin(const std::string& text) {
    PublisherPin pin;
    if (StartsWith(text, kSubjectPrefix)) {
        const std::string names = text.substr(sizeof kSubjectPrefix - 1);
        const size_t mark = names.rfind(kCommonNameMark);
        if (mark == std::string::npos) return pin;
        std::string organisation = names.substr(0, mark);
        std::string commonName = names.substr(mark + sizeof kCommonNameMark - 1);
        // An empty part would match a certificate that lacks it.
        if (organisation.empty() || commonName.empty()) return pin;
        pin.kind = PublisherPin::Kind::Subject;
        pin.organisation = std::move(organisation);
        pin.commonName = std::move(commonName);
    } else if (StartsWith(text, kKeyPrefix)) {
        std::string key = LowerKeyHex(text.substr(sizeof kKeyPrefix - 1));
        if (key.empty()) return pin;
        pin.kind = PublisherPin::Kind::Key;
        pin.keySha256 = std::move(key);
    }
    return pin;
}

bool IsPublishersSignature(const PublisherPin& pin, const SignatureFacts& facts) {
    if (pin.kind == PublisherPin::Kind::None || !facts.signer) return false;
    // A revoked answer, like every other failure, is neither of the answers the two forms accept.
    const uint32_t answer = JudgedAnswer(facts);
    const CertificateFacts& signer = *facts.signer;
    const int64_t judgedAt = facts.timestampedAt.value_or(facts.now);
    if (judgedAt < signer.notBefore || judgedAt > signer.notAfter) return false;
    if (pin.kind == PublisherPin::Kind::Subject) return IsSubjectOf(pin, signer, answer, facts.chainErrors);
    return IsKeyOf(pin, signer, answer, facts.chainErrors);
}

bool WantsChainRetrieval(const PublisherPin& pin, const SignatureFacts& facts) {
    if (pin.kind != PublisherPin::Kind::Subject) return false;
    const uint32_t answer = JudgedAnswer(facts);
    const bool notBuilt = answer == kCertUntrustedRoot || answer == kCertChaining ||
                          (answer == kTrustSuccess && (facts.chainErrors & kChainNotBuilt) != 0);
    if (!notBuilt) return false;
    // Whether a whole chain would make it the publisher's signature.
    SignatureFacts built = facts;
    built.status = kTrustSuccess;
    built.chainErrors &= ~kChainNotBuilt;
    return IsPublishersSignature(pin, built);
}
