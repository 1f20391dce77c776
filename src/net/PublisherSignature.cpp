#include "net/PublisherSignature.h"

#include <windows.h>
// clang-format off
#include <wincrypt.h>
#include <wintrust.h>
#include <softpub.h>
// clang-format on

#include "framework/Handles.h"

namespace {

// The trust services, loaded only while a download is judged: linking them
// would load them (and the certificate store behind them) into every
// launcher process at start-up, 0.75 MB and some 20 ms under Wine, for a
// check that runs only when a new build has come.
class TrustServices {
public:
    TrustServices() : m_module(::LoadLibraryW(L"wintrust.dll")) {
        if (!m_module) return;
        verify = Find<decltype(verify)>("WinVerifyTrust");
        providerData = Find<decltype(providerData)>("WTHelperProvDataFromStateData");
        signerOf = Find<decltype(signerOf)>("WTHelperGetProvSignerFromChain");
        certificateOf = Find<decltype(certificateOf)>("WTHelperGetProvCertFromChain");
    }
    bool ok() const { return verify && providerData && signerOf && certificateOf; }

    LONG(WINAPI* verify)(HWND, GUID*, LPVOID) = nullptr;
    CRYPT_PROVIDER_DATA*(WINAPI* providerData)(HANDLE) = nullptr;
    CRYPT_PROVIDER_SGNR*(WINAPI* signerOf)(CRYPT_PROVIDER_DATA*, DWORD, BOOL, DWORD) = nullptr;
    CRYPT_PROVIDER_CERT*(WINAPI* certificateOf)(CRYPT_PROVIDER_SGNR*, DWORD) = nullptr;

private:
    template <class Function>
    Function Find(const char* name) const {
        return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(m_module.get(), name)));
    }
    fw::ModuleHandle m_module;
};

// What the trust services made of one file's signature.
struct Signature {
    bool present = false;  // the file carries one, sound or not
    bool valid = false;    // its hash matches the file and it is well made
    std::string signer;    // the signer certificate's encoding; empty when unknown
};

// Answers that mean the file carries no signature at all.
bool MeansUnsigned(LONG status) {
    return status == TRUST_E_NOSIGNATURE || status == TRUST_E_SUBJECT_FORM_UNKNOWN ||
           status == TRUST_E_PROVIDER_UNKNOWN;
}

// Answers after which the signature itself has been checked against the
// file. An untrusted root is one of them: the trust we need comes from the
// running build's own certificate, not from the machine's list of roots.
bool MeansIntact(LONG status) { return status == ERROR_SUCCESS || status == CERT_E_UNTRUSTEDROOT; }

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

std::string SignerCertificate(const TrustServices& trust, HANDLE state) {
    CRYPT_PROVIDER_DATA* provider = trust.providerData(state);
    if (!provider) return std::string();
    CRYPT_PROVIDER_SGNR* signer = trust.signerOf(provider, 0, FALSE, 0);
    if (!signer) return std::string();
    CRYPT_PROVIDER_CERT* cert = trust.certificateOf(signer, 0);
    if (!cert || !cert->pCert || !cert->pCert->pbCertEncoded) return std::string();
    return std::string(reinterpret_cast<const char*>(cert->pCert->pbCertEncoded), cert->pCert->cbCertEncoded);
}

Signature ReadSignature(const TrustServices& trust, const std::wstring& path) {
    WINTRUST_FILE_INFO file{};
    file.cbStruct = sizeof(file);
    file.pcwszFilePath = path.c_str();
    WINTRUST_DATA data{};
    data.cbStruct = sizeof(data);
    data.dwUIChoice = WTD_UI_NONE;
    data.fdwRevocationChecks = WTD_REVOKE_NONE;
    data.dwUnionChoice = WTD_CHOICE_FILE;
    data.pFile = &file;
    data.dwStateAction = WTD_STATEACTION_VERIFY;
    // Nothing is fetched from the network while the launcher starts.
    data.dwProvFlags = WTD_REVOCATION_CHECK_NONE | WTD_CACHE_ONLY_URL_RETRIEVAL;
    GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    const LONG status = trust.verify(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
    TrustState closer(trust, action, data);
    Signature result;
    result.present = !MeansUnsigned(status);
    result.valid = MeansIntact(status);
    if (result.present) result.signer = SignerCertificate(trust, data.hWVTStateData);
    return result;
}

}  // namespace

bool IsFromRunningPublisher(const std::wstring& download, const std::wstring& running) {
    // Without the trust services nothing can be told of either build: the
    // download is refused, as for a running build whose signer is unknown.
    const TrustServices trust;
    if (!trust.ok()) return false;
    const Signature ours = ReadSignature(trust, running);
    if (!ours.present) return true;
    // A running build whose signer cannot be read accepts no download.
    if (ours.signer.empty()) return false;
    const Signature theirs = ReadSignature(trust, download);
    return theirs.valid && theirs.signer == ours.signer;
}
