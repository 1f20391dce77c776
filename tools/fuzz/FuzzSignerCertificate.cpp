// Fuzz target: a signer certificate's DER encoding read for the update
// decision, and the same bytes as the publisher a build names.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "net/PublisherRules.h"
#include "net/SignerCertificate.h"

namespace {
bool IsLowerHex(const std::string& text, size_t digits) {
    if (text.size() != digits) return false;
    for (char c : text)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    return true;
}

// The first second of year 0 and the last of year 9999: all four-digit years can say.
constexpr int64_t kEarliest = -62167219200;
constexpr int64_t kLatest = 253402300799;

void CheckCertificate(const std::string& der) {
    const std::optional<CertificateFacts> facts = ReadCertificateFacts(der);
    if (!facts) return;
    if (!IsLowerHex(facts->publicKeySha256, 64)) std::abort();
    if (facts->notBefore < kEarliest || facts->notBefore > kLatest || facts->notAfter < kEarliest ||
        facts->notAfter > kLatest)
        std::abort();
    // A certificate is read only whole: one byte less is never one.
    if (ReadCertificateFacts(der.substr(0, der.size() - 1))) std::abort();

    // The certificate's own key and names, at its first valid second, are its publisher's
    // whenever its validity is not upside down and its subject can be told.
    SignatureFacts signature;
    signature.signer = facts;
    signature.now = facts->notBefore;
    const bool inOrder = facts->notBefore <= facts->notAfter;
    PublisherPin byKey;
    byKey.kind = PublisherPin::Kind::Key;
    byKey.keySha256 = facts->publicKeySha256;
    signature.status = kCertUntrustedRoot;
    if (IsPublishersSignature(byKey, signature) != inOrder) std::abort();
    PublisherPin bySubject;
    bySubject.kind = PublisherPin::Kind::Subject;
    bySubject.organisation = facts->organisation;
    bySubject.commonName = facts->commonName;
    signature.status = kTrustSuccess;
    const bool named = !facts->subjectAmbiguous && !facts->organisation.empty() && !facts->commonName.empty();
    if (IsPublishersSignature(bySubject, signature) != (inOrder && named)) std::abort();
}

void CheckPin(const std::string& text) {
    const PublisherPin pin = ParsePublisherPin(text);
    switch (pin.kind) {
    case PublisherPin::Kind::None:
        if (!pin.organisation.empty() || !pin.commonName.empty() || !pin.keySha256.empty()) std::abort();
        break;
    case PublisherPin::Kind::Subject:
        // The text is exactly the two names put back together, and the common name is its last part.
        if (pin.organisation.empty() || pin.commonName.empty() || pin.commonName.find(",CN=") != std::string::npos ||
            text != "subject:O=" + pin.organisation + ",CN=" + pin.commonName || !pin.keySha256.empty())
            std::abort();
        break;
    case PublisherPin::Kind::Key:
        if (!IsLowerHex(pin.keySha256, 64) || text.size() != 4 + 64 || !pin.organisation.empty()) std::abort();
        for (size_t i = 0; i < 64; ++i)
            if ((text[4 + i] | 0x20) != pin.keySha256[i]) std::abort();  // the same digit, whatever its case
        break;
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    CheckCertificate(bytes);
    CheckPin(bytes);
    return 0;
}
