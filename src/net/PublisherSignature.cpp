#include "net/PublisherSignature.h"

#include <windows.h>
// clang-format off
#include <wincrypt.h>
#include <wintrust.h>
#include <softpub.h>
// clang-format on

namespace {

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
    TrustState(GUID action, WINTRUST_DATA& data) : m_action(action), m_data(data) {}
    ~TrustState() {
        m_data.dwStateAction = WTD_STATEACTION_CLOSE;
        ::WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &m_action, &m_data);
    }
    TrustState(const TrustState&) = delete;
    TrustState& operator=(const TrustState&) = delete;

private:
    GUID m_action;
    WINTRUST_DATA& m_data;
};

std::string SignerCertificate(HANDLE state) {
    CRYPT_PROVIDER_DATA* provider = ::WTHelperProvDataFromStateData(state);
    if (!provider) return std::string();
    CRYPT_PROVIDER_SGNR* signer = ::WTHelperGetProvSignerFromChain(provider, 0, FALSE, 0);
    if (!signer) return std::string();
    CRYPT_PROVIDER_CERT* cert = ::WTHelperGetProvCertFromChain(signer, 0);
    if (!cert || !cert->pCert || !cert->pCert->pbCertEncoded) return std::string();
    return std::string(reinterpret_cast<const char*>(cert->pCert->pbCertEncoded), cert->pCert->cbCertEncoded);
}

Signature ReadSignature(const std::wstring& path) {
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
    const LONG status = ::WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
    TrustState closer(action, data);
    Signature result;
    result.present = !MeansUnsigned(status);
    result.valid = MeansIntact(status);
    if (result.present) result.signer = SignerCertificate(data.hWVTStateData);
    return result;
}

}  // namespace

bool IsFromRunningPublisher(const std::wstring& download, const std::wstring& running) {
    const Signature ours = ReadSignature(running);
    if (!ours.present) return true;
    // A running build whose signer cannot be read accepts no download.
    if (ours.signer.empty()) return false;
    const Signature theirs = ReadSignature(download);
    return theirs.valid && theirs.signer == ours.signer;
}
