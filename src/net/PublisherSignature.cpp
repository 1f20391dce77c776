#include "net/PublisherSignature.h"

// clang-format off
#include <wincrypt.h>
#include <wintrust.h>
#include <softpub.h>
// clang-format on

#include <optional>

#include "base/BuildConfig.h"
#include "framework/SystemLibrary.h"
#include "net/PublisherRules.h"

namespace {

// The trust services, loaded only while a download is judged: linking them
// would load them (and the certificate store behind them) into every
// launcher process at start-up, 0.75 MB and some 20 ms under Wine, for a
// check that runs only when a new build has come.
class TrustServices {
public:
    TrustServices()
        : m_imageHelp(L"imagehlp.dll"), m_library(L"wintrust.dll"), m_certificates(L"crypt32.dll") {
        verify = m_library.Find<decltype(verify)>("WinVerifyTrust");
        providerData = m_library.Find<decltype(providerData)>("WTHelperProvDataFromStateData");
        signerOf = m_library.Find<decltype(signerOf)>("WTHelperGetProvSignerFromChain");
        certificateOf = m_library.Find<decltype(certificateOf)>("WTHelperGetProvCertFromChain");
        chainOf = m_certificates.Find<decltype(chainOf)>("CertGetCertificateChain");
        freeChain = m_certificates.Find<decltype(freeChain)>("CertFreeCertificateChain");
    }
    bool ok() const { return verify && providerData && signerOf && certificateOf && chainOf && freeChain; }

    LONG(WINAPI* verify)(HWND, GUID*, LPVOID) = nullptr;
    CRYPT_PROVIDER_DATA*(WINAPI* providerData)(HANDLE) = nullptr;
    CRYPT_PROVIDER_SGNR*(WINAPI* signerOf)(CRYPT_PROVIDER_DATA*, DWORD, BOOL, DWORD) = nullptr;
    CRYPT_PROVIDER_CERT*(WINAPI* certificateOf)(CRYPT_PROVIDER_SGNR*, DWORD) = nullptr;
    BOOL(WINAPI* chainOf)(HCERTCHAINENGINE, PCCERT_CONTEXT, LPFILETIME, HCERTSTORE, PCERT_CHAIN_PARA, DWORD, LPVOID,
                          PCCERT_CHAIN_CONTEXT*) = nullptr;
    void(WINAPI* freeChain)(PCCERT_CHAIN_CONTEXT) = nullptr;

private:
    // Wine's trust services ask for imagehlp by name only once they read a
    // signature, and that late request (with imagehlp's own need of dbghelp)
    // searches the program's folder first whatever the process's search
    // order says, as Windows does for a late request where that order cannot
    // be set. A library already loaded from System32 is taken instead.
    fw::SystemLibrary m_imageHelp;
    fw::SystemLibrary m_library;
    fw::SystemLibrary m_certificates;  // loaded already by the trust services
};

// The verification state is closed however the reading ends.
class TrustState {
public:
    TrustState(const TrustServices& trust, GUID action, WINTRUST_DATA& data)
        : m_trust(trust), m_action(action), m_data(data) {}
    ~TrustState() {
        m_data.dwStateAction = WTD_STATEACTION_CLOSE;
        m_trust.verify(static_cast<HWND>(INVALID_HANDLE_VALUE), &m_action, &m_data);
    }
    TrustState(const TrustState&) = delete;
    TrustState& operator=(const TrustState&) = delete;

private:
    const TrustServices& m_trust;
    GUID m_action;
    WINTRUST_DATA& m_data;
};

// How the platform is asked. Revocation is only ever read from what the
// machine already has: the check must never wait on the network.
enum class Ask {
    FromCache,           // the chain, and the whole chain's revocation, from what the machine has
    WithoutRevocation,   // the chain from what the machine has, no revocation
    RetrievingTheChain,  // the issuers and the root may be fetched; revocation from the cache over that chain
};

// What the platform made of one file's signature, in one way of asking.
struct Reading {
    uint32_t status = kTrustNoSignature;
    uint32_t chainErrors = 0;  // the signer's chain, CERT_TRUST_* error bits
    std::string signer;        // the signer certificate's encoding; empty when unknown
    std::optional<int64_t> timestampedAt;
    bool revocationRead = true;  // RetrievingTheChain: whether the cache could be asked at all
};

int64_t UnixSeconds(const FILETIME& time) {
    const uint64_t ticks = (uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
    return static_cast<int64_t>(ticks / 10000000u) - 11644473600LL;  // from 1601 to 1970
}

// The revocation bits of `signer`'s chain as of `asOf`, every certificate
// checked against the cache only; the chain itself may be fetched. Nothing
// when no chain can be built at all.
std::optional<uint32_t> RevocationFromCache(const TrustServices& trust, PCCERT_CONTEXT signer, FILETIME asOf) {
    CERT_CHAIN_PARA para{};
    para.cbSize = sizeof(para);
    PCCERT_CHAIN_CONTEXT chain = nullptr;
    // The signer's own store holds the certificates the signature carries.
    if (!trust.chainOf(nullptr, signer, &asOf, signer->hCertStore, &para,
                       CERT_CHAIN_REVOCATION_CHECK_CHAIN | CERT_CHAIN_REVOCATION_CHECK_CACHE_ONLY, nullptr, &chain) ||
        !chain)
        return std::nullopt;
    const uint32_t bits = chain->TrustStatus.dwErrorStatus & (kChainRevoked | kChainRevocationUnknown |
                                                              kChainOfflineRevocation);
    trust.freeChain(chain);
    return bits;
}

// Asks the platform about the file behind `file`, whose content is what it
// judges (the path only names it).
Reading Read(const TrustServices& trust, HANDLE file, const std::wstring& path, Ask ask) {
    // The trust services read the file through the handle from where it is.
    LARGE_INTEGER start{};
    ::SetFilePointerEx(file, start, nullptr, FILE_BEGIN);
    WINTRUST_FILE_INFO info{};
    info.cbStruct = sizeof(info);
    info.pcwszFilePath = path.c_str();
    info.hFile = file;
    WINTRUST_DATA data{};
    data.cbStruct = sizeof(data);
    data.dwUIChoice = WTD_UI_NONE;
    const bool revocation = ask == Ask::FromCache;
    data.fdwRevocationChecks = revocation ? WTD_REVOKE_WHOLECHAIN : WTD_REVOKE_NONE;
    data.dwUnionChoice = WTD_CHOICE_FILE;
    data.pFile = &info;
    data.dwStateAction = WTD_STATEACTION_VERIFY;
    // The one flag keeps revocation and the chain's own retrieval alike to the cache.
    data.dwProvFlags = (revocation ? 0 : WTD_REVOCATION_CHECK_NONE) |
                       (ask == Ask::RetrievingTheChain ? 0 : WTD_CACHE_ONLY_URL_RETRIEVAL);
    GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    Reading reading;
    reading.status = static_cast<uint32_t>(trust.verify(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data));
    TrustState closer(trust, action, data);
    CRYPT_PROVIDER_DATA* provider = trust.providerData(data.hWVTStateData);
    CRYPT_PROVIDER_SGNR* signer = provider ? trust.signerOf(provider, 0, FALSE, 0) : nullptr;
    CRYPT_PROVIDER_CERT* cert = signer ? trust.certificateOf(signer, 0) : nullptr;
    if (!signer) return reading;
    if (signer->pChainContext) reading.chainErrors = signer->pChainContext->TrustStatus.dwErrorStatus;
    // With a countersignature the signer is judged as of its time.
    if (signer->csCounterSigners > 0) reading.timestampedAt = UnixSeconds(signer->sftVerifyAsOf);
    if (!cert || !cert->pCert || !cert->pCert->pbCertEncoded) return reading;
    reading.signer.assign(reinterpret_cast<const char*>(cert->pCert->pbCertEncoded), cert->pCert->cbCertEncoded);
    if (ask == Ask::RetrievingTheChain) {
        const std::optional<uint32_t> revocationBits = RevocationFromCache(trust, cert->pCert, signer->sftVerifyAsOf);
        reading.revocationRead = revocationBits.has_value();
        reading.chainErrors |= revocationBits.value_or(0);
    }
    return reading;
}

// What a reading tells of the signer, into the facts.
void TakeSigner(const Reading& reading, SignatureFacts& facts) {
    facts.signer = reading.signer.empty() ? std::nullopt : ReadCertificateFacts(reading.signer);
    facts.timestampedAt = reading.timestampedAt;
}

int64_t NowSeconds() {
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    return UnixSeconds(now);
}

}  // namespace

bool NamesPublisher() { return ParsePublisherPin(buildcfg::kUpdatePublisher).kind != PublisherPin::Kind::None; }

bool IsSignedByPublisher(HANDLE file, const std::wstring& path) {
    const PublisherPin pin = ParsePublisherPin(buildcfg::kUpdatePublisher);
    if (pin.kind == PublisherPin::Kind::None) return false;
    // Without the trust services nothing can be told of the download.
    const TrustServices trust;
    if (!trust.ok()) return false;
    SignatureFacts facts;
    Reading judged = Read(trust, file, path, Ask::FromCache);
    facts.status = judged.status;
    facts.chainErrors = judged.chainErrors;
    // The cache could not tell: the answer without revocation is judged.
    if (CannotTellRevocation(judged.status)) {
        judged = Read(trust, file, path, Ask::WithoutRevocation);
        facts.statusWithoutRevocation = judged.status;
    }
    facts.chainErrors |= judged.chainErrors;
    TakeSigner(judged, facts);
    facts.now = NowSeconds();
    if (WantsChainRetrieval(pin, facts)) {
        const Reading retrieved = Read(trust, file, path, Ask::RetrievingTheChain);
        // Unread revocation leaves the first answer standing.
        if (retrieved.revocationRead) {
            facts.status = retrieved.status;
            facts.statusWithoutRevocation = 0;
            facts.chainErrors = retrieved.chainErrors;
            TakeSigner(retrieved, facts);
        }
    }
    return IsPublishersSignature(pin, facts);
}
