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
    TrustServices() : m_imageHelp(L"imagehlp.dll"), m_library(L"wintrust.dll") {
        verify = m_library.Find<decltype(verify)>("WinVerifyTrust");
        providerData = m_library.Find<decltype(providerData)>("WTHelperProvDataFromStateData");
        signerOf = m_library.Find<decltype(signerOf)>("WTHelperGetProvSignerFromChain");
        certificateOf = m_library.Find<decltype(certificateOf)>("WTHelperGetProvCertFromChain");
    }
    bool ok() const { return verify && providerData && signerOf && certificateOf; }

    LONG(WINAPI* verify)(HWND, GUID*, LPVOID) = nullptr;
    CRYPT_PROVIDER_DATA*(WINAPI* providerData)(HANDLE) = nullptr;
    CRYPT_PROVIDER_SGNR*(WINAPI* signerOf)(CRYPT_PROVIDER_DATA*, DWORD, BOOL, DWORD) = nullptr;
    CRYPT_PROVIDER_CERT*(WINAPI* certificateOf)(CRYPT_PROVIDER_SGNR*, DWORD) = nullptr;

private:
    // Wine's trust services ask for imagehlp by name only once they read a
    // signature, and that late request (with imagehlp's own need of dbghelp)
    // searches the program's folder first whatever the process's search
    // order says, as Windows does for a late request where that order cannot
    // be set. A library already loaded from System32 is taken instead.
    fw::SystemLibrary m_imageHelp;
    fw::SystemLibrary m_library;
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

// What the platform made of one file's signature, in one way of asking.
struct Reading {
    uint32_t status = kTrustNoSignature;
    uint32_t chainErrors = 0;  // the signer's chain, CERT_TRUST_* error bits
    std::string signer;        // the signer certificate's encoding; empty when unknown
    std::optional<int64_t> timestampedAt;
};

int64_t UnixSeconds(const FILETIME& time) {
    const uint64_t ticks = (uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
    return static_cast<int64_t>(ticks / 10000000u) - 11644473600LL;  // from 1601 to 1970
}

// Asks the platform about the file behind `file`, whose content is what it
// judges (the path only names it). With `revocation`, the whole chain is
// checked against what the machine already has, never the network.
Reading Read(const TrustServices& trust, HANDLE file, const std::wstring& path, bool revocation) {
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
    data.fdwRevocationChecks = revocation ? WTD_REVOKE_WHOLECHAIN : WTD_REVOKE_NONE;
    data.dwUnionChoice = WTD_CHOICE_FILE;
    data.pFile = &info;
    data.dwStateAction = WTD_STATEACTION_VERIFY;
    data.dwProvFlags = WTD_CACHE_ONLY_URL_RETRIEVAL | (revocation ? 0 : WTD_REVOCATION_CHECK_NONE);
    GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    Reading reading;
    reading.status = static_cast<uint32_t>(trust.verify(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data));
    TrustState closer(trust, action, data);
    CRYPT_PROVIDER_DATA* provider = trust.providerData(data.hWVTStateData);
    CRYPT_PROVIDER_SGNR* signer = provider ? trust.signerOf(provider, 0, FALSE, 0) : nullptr;
    if (!signer) return reading;
    if (signer->pChainContext) reading.chainErrors = signer->pChainContext->TrustStatus.dwErrorStatus;
    // With a countersignature the signer is judged as of its time.
    if (signer->csCounterSigners > 0) reading.timestampedAt = UnixSeconds(signer->sftVerifyAsOf);
    CRYPT_PROVIDER_CERT* cert = trust.certificateOf(signer, 0);
    if (cert && cert->pCert && cert->pCert->pbCertEncoded)
        reading.signer.assign(reinterpret_cast<const char*>(cert->pCert->pbCertEncoded), cert->pCert->cbCertEncoded);
    return reading;
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
    Reading judged = Read(trust, file, path, true);
    facts.status = judged.status;
    facts.chainErrors = judged.chainErrors;
    // The cache could not tell: the answer without revocation is judged.
    if (CannotTellRevocation(judged.status)) {
        judged = Read(trust, file, path, false);
        facts.statusWithoutRevocation = judged.status;
    }
    facts.chainErrors |= judged.chainErrors;
    if (!judged.signer.empty()) facts.signer = ReadCertificateFacts(judged.signer);
    facts.timestampedAt = judged.timestampedAt;
    facts.now = NowSeconds();
    return IsPublishersSignature(pin, facts);
}
