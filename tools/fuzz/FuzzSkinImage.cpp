// Fuzz target: a packed skin image as a resource holds it (header, filtered
// rows, DEFLATE), and the bare inflater into a buffer of a size the input
// picks; then the unpacked image scaled as for another DPI.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "ui/Inflate.h"
#include "ui/PackedImage.h"
#include "ui/SkinResample.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const SkinRaster image = UnpackSkinImage(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!image.empty()) {
        if (image.pixels.size() != static_cast<size_t>(image.width) * image.height) std::abort();
        if (image.width <= 64 && image.height <= 64) (void)ResampleSkin(image, 1, Size{image.width + 3, image.height / 2 + 1});
    }
    if (size > 2) {
        std::vector<uint8_t> out(static_cast<size_t>(data[0]) << 4 | data[1]);
        (void)Inflate(data + 2, size - 2, out.data(), out.size());
    }
    return 0;
}
