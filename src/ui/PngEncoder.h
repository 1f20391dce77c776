#pragma once
// Pictures saved as PNG through the platform's own codec (GDI+'s encoder).
#include <string>

// The bytes of a PNG file of a width x height picture whose 32-bit pixels
// (blue, green, red, unused) lie row after row from the top at `pixels`;
// empty when it could not be encoded.
std::string EncodePng(int width, int height, const void* pixels);
