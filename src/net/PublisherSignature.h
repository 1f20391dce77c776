#pragma once
// Whether a downloaded build comes from the publisher this build names
// (its build setting: a certificate subject or a public key), judged by the
// download's Authenticode signature through the platform's trust services,
// with revocation checked from what the machine already has; a signer's
// chain that cannot be built from it is asked for once more with its own
// retrieval allowed. The decisions themselves are PublisherRules.h's; this
// side only asks the platform.
#include <windows.h>

#include <string>

// Whether this build names a publisher at all: one that names none applies
// no update.
bool NamesPublisher();

// True when the file at `path`, read through `file`, carries a valid
// signature of the publisher this build names.
bool IsSignedByPublisher(HANDLE file, const std::wstring& path);
