#pragma once
// Skin images: PNG resources turned into colour-keyed bitmaps, picture files,
// and the image-list operations the controls share.
#include <windows.h>
#include <commctrl.h>
#include <objidl.h>

#include <string>
#include <string_view>

#include "framework/Handles.h"

// The bytes of resource `id` of type `type`, where the module holds them;
// empty when there is no such resource.
std::string_view ResourceBytes(HMODULE module, UINT id, const wchar_t* type);
// The same bytes in a stream of their own, read from its start.
fw::ComPtr<IStream> ResourceStream(HMODULE module, UINT id, const wchar_t* type);

// The bitmap of skin image `id` ("PNG" resource, or a bitmap resource of that
// id when there is one), alpha flattened onto magenta; empty when absent.
fw::BitmapHandle LoadSkinBitmap(HMODULE module, UINT id);
// The skin images of this executable.
fw::BitmapHandle LoadSkinBitmap(UINT id);

// A picture file drawn onto white; width and height 0 and no bitmap when it
// cannot be read.
fw::BitmapHandle LoadPictureFile(const std::wstring& path, int* width, int* height);
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
