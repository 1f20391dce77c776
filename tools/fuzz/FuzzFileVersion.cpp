// Fuzz target: the input as an executable image whose version resource is
// walked to through a reader, and as a version block of its own, read for
// its fixed file version and for the product its string tables name.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "net/FileVersion.h"
#include "net/VersionStrings.h"

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
        (void)ProductIdentityOf(*resource);
    }
    const auto version = FixedFileVersion(input);
    if (version) {
        // A block states its version within its own length: what follows it is not read.
        if (FixedFileVersion(input + std::string(8, '\0')) != version) std::abort();
        if (IsNewerVersion(*version, *version) || *version < *version) std::abort();
    }
    const auto identity = ProductIdentityOf(input);
    if (identity) {
        // As with the fixed part, the block's own length bounds what is read,
        // and a block that states an identity names the same product as itself.
        if (ProductIdentityOf(input + std::string(8, '\0')) != identity) std::abort();
        if (!IsSameProduct(input, input)) std::abort();
    }
    return 0;
}
