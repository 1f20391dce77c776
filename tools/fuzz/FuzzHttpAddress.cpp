// Fuzz target: addresses the launcher is handed from outside (the update
// configuration's download address, the notice's links) and status lines.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/Utf8Text.h"
#include "net/HttpRules.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::wstring address = text::DecodeUtf8(std::string(reinterpret_cast<const char*>(data), size));
    if (const auto split = SplitHttpAddress(address)) {
        // Refused rather than cut: what is kept fits the request's buffers.
        if (split->host.size() > 259 || split->path.size() > 511) std::abort();
    }
    (void)HasHttpScheme(address);
    (void)IsPortalHost(address, {L"korvel.example", L"127.0.0.1"});
    (void)IsPortalHost(address, SplitDomainList(address));
    (void)ParseStatusCode(address);
    return 0;
}
