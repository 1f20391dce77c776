#pragma once
// Whether a downloaded build may replace the running one, judged from what
// the platform told of its Authenticode signature. The platform calls stay
// in a thin Windows-only file; the decision is here, where it is tested.
#include <cstdint>
#include <optional>
#include <string>

#include "net/SignerCertificate.h"

// The publisher a build names as the only one whose builds it takes.
struct PublisherPin {
    enum class Kind { None, Subject, Key };
    Kind kind = Kind::None;
    std::string organisation, commonName;  // Subject form, UTF-8
    std::string keySha256;                 // Key form, 64 lowercase hex digits
};

// "subject:O=<organisation>,CN=<common name>", both parts non-empty (the
// organisation may itself hold commas: it runs up to the LAST ",CN="), or
// "key:<64 hex digits, any case>". Anything else, empty text included, is
// Kind::None.
PublisherPin ParsePublisherPin(const std::string& text);

// WinVerifyTrust's answers the decision tells apart (the HRESULT values of
// the platform's names in the comments, which this portable file cannot
// include).
constexpr uint32_t kTrustSuccess = 0;
constexpr uint32_t kTrustNoSignature = 0x800B0100;        // TRUST_E_NOSIGNATURE
constexpr uint32_t kCertExpired = 0x800B0101;             // CERT_E_EXPIRED
constexpr uint32_t kCertUntrustedRoot = 0x800B0109;       // CERT_E_UNTRUSTEDROOT
constexpr uint32_t kCertChaining = 0x800B010A;            // CERT_E_CHAINING
constexpr uint32_t kCertRevoked = 0x800B010C;             // CERT_E_REVOKED
constexpr uint32_t kCertRevocationFailure = 0x800B010E;   // CERT_E_REVOCATION_FAILURE
constexpr uint32_t kCryptRevoked = 0x80092010;            // CRYPT_E_REVOKED
constexpr uint32_t kCryptNoRevocationCheck = 0x80092012;  // CRYPT_E_NO_REVOCATION_CHECK
constexpr uint32_t kCryptRevocationOffline = 0x80092013;  // CRYPT_E_REVOCATION_OFFLINE
constexpr uint32_t kTrustBadDigest = 0x80096010;          // TRUST_E_BAD_DIGEST

// Error bits of the signer's certificate chain as the platform built it
// (CERT_TRUST_* in the platform's headers). The status alone can hide them:
// Wine answers success for a chain to an untrusted root, and an answer
// names only the first of several faults.
constexpr uint32_t kChainNotTimeValid = 0x1;             // CERT_TRUST_IS_NOT_TIME_VALID
constexpr uint32_t kChainRevoked = 0x4;                  // CERT_TRUST_IS_REVOKED
constexpr uint32_t kChainUntrustedRoot = 0x20;           // CERT_TRUST_IS_UNTRUSTED_ROOT
constexpr uint32_t kChainRevocationUnknown = 0x40;       // CERT_TRUST_REVOCATION_STATUS_UNKNOWN
constexpr uint32_t kChainPartialChain = 0x10000;         // CERT_TRUST_IS_PARTIAL_CHAIN
constexpr uint32_t kChainOfflineRevocation = 0x1000000;  // CERT_TRUST_IS_OFFLINE_REVOCATION

// Whether an answer says only that revocation could not be told from the cache.
bool CannotTellRevocation(uint32_t status);

// What the platform told of one file's signature.
struct SignatureFacts {
    // WinVerifyTrust's answer with the whole chain's revocation checked from
    // the local cache only: the check must never wait on the network. After
    // the chain's own retrieval (WantsChainRetrieval), the answer of that
    // retrieval, which leaves revocation to `chainErrors`.
    uint32_t status = 0;
    // Its answer with no revocation check; asked only when `status` could not tell.
    uint32_t statusWithoutRevocation = 0;
    std::optional<CertificateFacts> signer;  // the signer certificate, when one could be read
    std::optional<int64_t> timestampedAt;    // the countersignature's time, when the signature is timestamped
    int64_t now = 0;                         // seconds since 1970 UTC
    // The chain's error bits, from every answer asked for: revocation that
    // could not be told is the only fault either form overlooks, and an
    // untrusted root the only other one the key form does.
    uint32_t chainErrors = 0;
};

// Whether the signer's chain could not be built from what the machine has
// (an issuer or the root missing: CERT_E_UNTRUSTEDROOT, CERT_E_CHAINING, or
// success over a chain marked so) and nothing else stands in the way, under
// the subject form, whose root must be trusted. The platform is then asked
// once more with the chain's own retrieval allowed (the issuers its
// certificates name, the system's list of roots), revocation still from the
// cache; those facts replace these. The key form takes any root, and no one
// else's signature makes the launcher fetch anything.
bool WantsChainRetrieval(const PublisherPin& pin, const SignatureFacts& facts);

// True only when the download is signed by the pinned publisher:
// - A build that names no publisher applies no update.
// - A revoked certificate is refused. When the cache cannot tell (no entry,
//   offline), the answer without the revocation check is judged instead:
//   a machine off the network must still take its updates.
// - Subject form: the chain must end at a root the machine trusts, and the
//   signer's O and CN must equal the pin's byte for byte, each given once.
//   A renewed certificate (new key, same subject, trusted issuer) therefore
//   keeps working without a new pin.
// - Key form: the signer's public key is the pin's; the root need not be
//   trusted, since the key alone names the publisher (test certificates).
// - Both forms: the certificate must be valid at the time it is judged at,
//   the countersignature's time when there is one (a build signed while
//   the certificate was valid stays good after it expires), else now.
bool IsPublishersSignature(const PublisherPin& pin, const SignatureFacts& facts);
