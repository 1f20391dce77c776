#pragma once
// Skin images: packed resources turned into colour-keyed bitmaps at a
// window's DPI, picture files, and the image-list operations the controls
// share.
#include <windows.h>
#include <commctrl.h>
#include <objidl.h>

#include <string>
#include <string_view>

#include "framework/Handles.h"
#include "ui/DpiScale.h"
#include "ui/PackedImage.h"

// The bytes of resource `id` of type `type`, where the module holds them;
// empty when there is no such resource.
std::string_view ResourceBytes(HMODULE module, UINT id, const wchar_t* type);
// The same bytes in a stream of their own, read from its start.
fw::ComPtr<IStream> ResourceStream(HMODULE module, UINT id, const wchar_t* type);

// Skin image `id` (its 96-DPI id) of `module` at `dpi`, exactly
// SkinImageSize(id, dpi) big: the packed image of the set drawn for that
// DPI, or of the nearest set resampled. Empty when the module has no such
// image or its resource does not unpack.
SkinRaster LoadSkinRaster(HMODULE module, UINT id, int dpi);
// A top-down 32-bit section holding `image`'s pixels; empty for an empty image.
fw::BitmapHandle SectionOfRaster(const SkinRaster& image);

// The bitmap of skin image `id` at `dpi`, magenta where it is see-through;
// empty when absent.
fw::BitmapHandle LoadSkinBitmap(HMODULE module, UINT id, int dpi);
// The skin images of this executable.
fw::BitmapHandle LoadSkinBitmap(UINT id, int dpi);

// A picture file drawn onto white; width and height 0 and no bitmap when it
// cannot be read.
// At another `scale` the picture is drawn that much larger, smoothly, as a
// browser zoomed to the display shows a web picture.
fw::BitmapHandle LoadPictureFile(const std::wstring& path, int* width, int* height,
                                 const DpiScale& scale);
// The same for the bytes of a picture file (PNG, JPEG, GIF, BMP), which is
// refused when wider or taller than `maxSide` pixels.
fw::BitmapHandle LoadPictureBytes(const std::string& bytes, int maxSide, int* width, int* height);

// The size of a bitmap in pixels (0 x 0 for none).
SIZE BitmapSize(HBITMAP bitmap);

// An image list of frames frameWidth x frameHeight cut from `strip`, with
// magenta as the mask colour. Empty when the strip cannot be used.
fw::ImageListHandle MakeMaskedImageList(HBITMAP strip, int frameWidth, int frameHeight, int initial);
bool AddMaskedStrip(HIMAGELIST list, HBITMAP strip);
// Draws image `index` stretched to width x height; masked pixels stay unpainted.
void DrawImageScaled(HIMAGELIST list, int index, HDC dc, int x, int y, int width, int height);
