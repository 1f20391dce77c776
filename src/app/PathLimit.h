#pragma once
// The longest path the launcher forms: its path buffers hold 260 characters
// with the terminator. A longer path is left alone rather than cut into one
// that names something else.
#include <cstddef>

constexpr size_t kMaxPathChars = 259;
