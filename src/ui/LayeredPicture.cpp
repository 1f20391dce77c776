#include "ui/LayeredPicture.h"

#include <algorithm>

#include "ui/DpiScale.h"
#include "ui/SkinImage.h"

fw::BitmapHandle LoadLayeredPicture(HMODULE module, UINT id, int dpi, SIZE* size) {
    *size = SIZE{0, 0};
    const SkinRaster picture = LoadSkinRaster(module, id, dpi);
    if (picture.empty() || !picture.layered) return fw::BitmapHandle();

    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), picture.width, -picture.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    fw::WindowDc screen(nullptr);
    void* bits = nullptr;
    fw::BitmapHandle section(::CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!section || !bits) return fw::BitmapHandle();
    std::copy(picture.pixels.begin(), picture.pixels.end(), static_cast<uint32_t*>(bits));
    ::GdiFlush();
    *size = SIZE{picture.width, picture.height};
    return section;
}

fw::BitmapHandle LoadLayeredPicture(HMODULE module, UINT id, SIZE* size) {
    return LoadLayeredPicture(module, id, kBaseDpi, size);
}
