#pragma once
// Reads a decimal number the forgiving way the launcher's command line and
// settings values are read: optional leading blanks and a sign, then digits
// up to the first non-digit. No digits gives 0; values beyond the 32-bit range
// saturate at its ends instead of wrapping.
#include <cstdint>
#include <string>

int32_t ParseLenientInt(const std::wstring& text);
