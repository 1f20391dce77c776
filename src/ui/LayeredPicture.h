#pragma once
// A picture for a layered window, as the build makes it from a PNG
// (res/skin/flatten_skin.py --alpha): an RCDATA resource of "ZPIC", width
// and height, then 32-bit pixels premultiplied by alpha, rows top-down,
// compressed with LZNT1. Unpacking it needs no picture codec, which under
// Wine would cost each page process a megabyte.
#include <windows.h>

#include "framework/Handles.h"

// A top-down 32-bit section of picture `id` of `module`, and its size;
// nothing when the resource is missing or does not unpack to its size.
fw::BitmapHandle LoadLayeredPicture(HMODULE module, UINT id, SIZE* size);
