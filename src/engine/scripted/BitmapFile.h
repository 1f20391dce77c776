#pragma once
// Pictures of what the engine paints, as files another process can read:
// the engine's "picture" test command writes one.
#include <windows.h>

#include <functional>
#include <string>

namespace scripted {

// Lets `paint` draw into a 32-bit image of width x height, then writes that
// image to `path` as a bottom-up BMP file (replacing one that is there).
// False when the image or the whole file could not be made.
bool WritePaintedBitmap(const std::wstring& path, int width, int height, const std::function<void(HDC)>& paint);

}  // namespace scripted
