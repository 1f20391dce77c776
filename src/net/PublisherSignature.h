#pragma once
// Whether a downloaded build comes from the publisher of the running one,
// judged by their Authenticode signatures through the platform's trust
// services (WinVerifyTrust, no user interface, no revocation fetches).
#include <string>

// True when `running` carries no signature at all (builds we sign nowhere),
// or when `download` carries a valid signature (its hash matches the file)
// made with the very certificate that signed `running`. An unsigned
// download, another signer or a file altered after signing is false.
bool IsFromRunningPublisher(const std::wstring& download, const std::wstring& running);
