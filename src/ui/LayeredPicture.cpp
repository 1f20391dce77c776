#include "ui/LayeredPicture.h"

#include "ui/SkinImage.h"

fw::BitmapHandle LoadLayeredPicture(HMODULE module, UINT id, int dpi, SIZE* size) {
    *size = SIZE{0, 0};
    const SkinRaster picture = LoadSkinRaster(module, id, dpi);
    if (!picture.layered) return fw::BitmapHandle();
    fw::BitmapHandle section = SectionOfRaster(picture);
    if (section) *size = SIZE{picture.width, picture.height};
    return section;
}
