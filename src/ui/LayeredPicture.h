#pragma once
// A picture for a layered window: a skin image that keeps its alpha (the
// login background), packed by the build with its pixels premultiplied.
// Unpacking it needs no picture codec, which under Wine would cost each
// page process a megabyte.
#include <windows.h>

#include "framework/Handles.h"

// A top-down 32-bit section of picture `id` of `module` at `dpi`,
// premultiplied, and its size (SkinImageSize(id, dpi)); nothing when the
// resource is missing, is not a layered picture or does not unpack.
fw::BitmapHandle LoadLayeredPicture(HMODULE module, UINT id, int dpi, SIZE* size);
