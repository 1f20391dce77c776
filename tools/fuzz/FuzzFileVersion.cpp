// Fuzz target: the input as an executable image whose version resource is
// walked to through a reader, and as a version block of its own.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "net/FileVersion.h"

namespace {
// Reads from `image`, aborting when the walk reads more often or more at once
// than three tree levels after the headers ever need.
std::optional<std::string> WalkedResource(const std::string& image) {
    int reads = 0;
    return VersionResourceOf([&image, &reads](uint64_t offset, uint32_t size, std::string* out) {
        if (++reads > 16 || size > kMaxVersionResourceBytes) std::abort();
        if (offset > image.size() || size > image.size() - offset) return false;
        out->assign(image, offset, size);
        return true;
    });
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const auto resource = WalkedResource(input);
    if (resource) {
        // The resource is bytes of the image, within the cap, and bytes added
        // after the image change nothing that was found without them.
        if (resource->empty() || resource->size() > kMaxVersionResourceBytes) std::abort();
        if (input.find(*resource) == std::string::npos) std::abort();
        if (WalkedResource(input + std::string(64, '\xFF')) != resource) std::abort();
        (void)FixedFileVersion(*resource);
    }
    const auto version = FixedFileVersion(input);
    if (version) {
        // A block states its version within its own length: what follows it is not read.
        if (FixedFileVersion(input + std::string(8, '\0')) != version) std::abort();
        if (IsNewerVersion(*version, *version) || *version < *version) std::abort();
    }
    return 0;
}
