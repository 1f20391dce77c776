// Fuzz target: the version key of the update configuration against the
// local one.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/Utf8Text.h"
#include "net/UpdateRules.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::wstring remote = text::DecodeUtf8(std::string(reinterpret_cast<const char*>(data), size));
    const std::wstring local = LocalVersionKey(L"0123456789abcdef0123456789abcdef", VersionDigits(kProgramVersion));
    // A key is never different from itself, whatever its case.
    if (IsDifferentBuild(local, local)) std::abort();
    (void)IsDifferentBuild(remote, local);
    (void)LocalVersionKey(remote, VersionDigits(remote));
    // A key names at most one digest, and a build it names is one it does not differ from.
    const std::wstring named = KeyDigestPrefix(remote);
    if (!named.empty() && (named.size() != kKeyDigestChars || !IsBuildOfKey(named + L"0000", remote))) std::abort();
    if (named.empty() && IsBuildOfKey(remote, remote)) std::abort();
    return 0;
}
