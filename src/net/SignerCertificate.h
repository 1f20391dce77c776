#pragma once
// What the update decision needs to know of the certificate that signed a
// download, read from its DER encoding by our own strict reader: the
// platform hands over the bytes, and what they mean is decided here, where
// it can be tested and fuzzed on any machine.
#include <cstdint>
#include <optional>
#include <string>

struct CertificateFacts {
    std::string organisation;  // subject O, UTF-8; empty when absent
    std::string commonName;    // subject CN, UTF-8; empty when absent
    // O or CN appears more than once, or in a string type we do not read:
    // which of the values the platform would show cannot be told, so the
    // subject names no one.
    bool subjectAmbiguous = false;
    std::string publicKeySha256;          // 64 lowercase hex digits over the whole DER SubjectPublicKeyInfo
    int64_t notBefore = 0, notAfter = 0;  // validity, seconds since 1970-01-01 UTC
};

// Nothing when `der` is not one whole certificate in definite-length DER,
// or when a validity time is not of the form YYMMDDHHMMSSZ (UTCTime) or
// YYYYMMDDHHMMSSZ (GeneralizedTime) with a real date. Never reads outside
// `der`, whatever it holds.
std::optional<CertificateFacts> ReadCertificateFacts(const std::string& der);
